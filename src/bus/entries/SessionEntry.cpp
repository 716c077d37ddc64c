#include "SessionEntry.h"

#include "UninstalledEntries.h"

namespace {

SessionEntry *g_installed = nullptr;

} // namespace

SessionEntry::~SessionEntry() = default;

SessionEntry &SessionEntry::current()
{
    static SessionEntry fallback;
    return g_installed ? *g_installed : fallback;
}

void SessionEntry::install(SessionEntry *entry)
{
    g_installed = entry;
}

void SessionEntry::loggedIn(const QString &, const QString &)
{
    UninstalledEntries::note("SessionEntry::loggedIn");
}

void SessionEntry::userChanged()
{
    UninstalledEntries::note("SessionEntry::userChanged");
}
