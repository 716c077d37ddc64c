#include "FriendLabelEntry.h"

#include "UninstalledEntries.h"

namespace {

FriendLabelEntry *g_installed = nullptr;

} // namespace

FriendLabelEntry::~FriendLabelEntry() = default;

FriendLabelEntry &FriendLabelEntry::current()
{
    static FriendLabelEntry fallback;
    return g_installed ? *g_installed : fallback;
}

void FriendLabelEntry::install(FriendLabelEntry *entry)
{
    g_installed = entry;
}

void FriendLabelEntry::showLabelPopup(const QString &, const QString &, const QString &, bool)
{
    UninstalledEntries::note("FriendLabelEntry::showLabelPopup");
}
