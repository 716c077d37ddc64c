#include "CloudQueryEntry.h"

#include "UninstalledEntries.h"

namespace {

CloudQueryEntry *g_installed = nullptr;

} // namespace

CloudQueryEntry::~CloudQueryEntry() = default;

CloudQueryEntry &CloudQueryEntry::current()
{
    static CloudQueryEntry fallback;
    return g_installed ? *g_installed : fallback;
}

void CloudQueryEntry::install(CloudQueryEntry *entry)
{
    g_installed = entry;
}

LoginCache::AccountRecord
CloudQueryEntry::queryCloudAccount(const LoginCache::AccountRecord &stored)
{
    UninstalledEntries::note("CloudQueryEntry::queryCloudAccount");
    return stored;
}
