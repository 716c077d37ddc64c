#include "NoticeEntry.h"

#include "UninstalledEntries.h"

namespace {

NoticeEntry *g_installed = nullptr;

} // namespace

NoticeEntry::~NoticeEntry() = default;

NoticeEntry &NoticeEntry::current()
{
    static NoticeEntry fallback;
    return g_installed ? *g_installed : fallback;
}

void NoticeEntry::install(NoticeEntry *entry)
{
    g_installed = entry;
}

void NoticeEntry::showMobileLogin(int, bool)
{
    UninstalledEntries::note("NoticeEntry::showMobileLogin");
}
