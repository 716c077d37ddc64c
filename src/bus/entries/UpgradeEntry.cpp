#include "UpgradeEntry.h"

#include "UninstalledEntries.h"

namespace {

UpgradeEntry *g_installed = nullptr;

} // namespace

UpgradeEntry::~UpgradeEntry() = default;

UpgradeEntry &UpgradeEntry::current()
{
    static UpgradeEntry fallback;
    return g_installed ? *g_installed : fallback;
}

void UpgradeEntry::install(UpgradeEntry *entry)
{
    g_installed = entry;
}

void UpgradeEntry::startUpgradeCheck(int)
{
    UninstalledEntries::note("UpgradeEntry::startUpgradeCheck");
}
