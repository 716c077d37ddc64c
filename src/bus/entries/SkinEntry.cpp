#include "SkinEntry.h"

#include "UninstalledEntries.h"

namespace {

SkinEntry *g_installed = nullptr;

} // namespace

SkinEntry::~SkinEntry() = default;

SkinEntry &SkinEntry::current()
{
    static SkinEntry fallback;
    return g_installed ? *g_installed : fallback;
}

void SkinEntry::install(SkinEntry *entry)
{
    g_installed = entry;
}

void SkinEntry::showSkinWindow()
{
    UninstalledEntries::note("SkinEntry::showSkinWindow");
}
