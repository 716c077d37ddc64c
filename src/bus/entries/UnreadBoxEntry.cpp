#include "UnreadBoxEntry.h"

#include "UninstalledEntries.h"

namespace {

UnreadBoxEntry *g_installed = nullptr;

} // namespace

UnreadBoxEntry::~UnreadBoxEntry() = default;

UnreadBoxEntry &UnreadBoxEntry::current()
{
    static UnreadBoxEntry fallback;
    return g_installed ? *g_installed : fallback;
}

void UnreadBoxEntry::install(UnreadBoxEntry *entry)
{
    g_installed = entry;
}

void UnreadBoxEntry::addMessageToBox(const MessageData &, const QString &)
{
    UninstalledEntries::note("UnreadBoxEntry::addMessageToBox");
}

void UnreadBoxEntry::removeMessageById(const QString &, const QString &)
{
    UninstalledEntries::note("UnreadBoxEntry::removeMessageById");
}

void UnreadBoxEntry::removeUnreadMessagesOf(const QString &)
{
    UninstalledEntries::note("UnreadBoxEntry::removeUnreadMessagesOf");
}

void UnreadBoxEntry::removeAllUnreadMessages()
{
    UninstalledEntries::note("UnreadBoxEntry::removeAllUnreadMessages");
}

void UnreadBoxEntry::removeSender(const QString &)
{
    UninstalledEntries::note("UnreadBoxEntry::removeSender");
}

void UnreadBoxEntry::setMessageBoxCount(int)
{
    UninstalledEntries::note("UnreadBoxEntry::setMessageBoxCount");
}

bool UnreadBoxEntry::isMessageBoxVisible()
{
    UninstalledEntries::note("UnreadBoxEntry::isMessageBoxVisible");
    return false;
}

void UnreadBoxEntry::updateMessageBoxEntry(const QString &, const QString &, const QString &,
                                           const QString &, bool)
{
    UninstalledEntries::note("UnreadBoxEntry::updateMessageBoxEntry");
}

void UnreadBoxEntry::setMessageBoxLogUploadKey(const QString &)
{
    UninstalledEntries::note("UnreadBoxEntry::setMessageBoxLogUploadKey");
}

void UnreadBoxEntry::setMessageBoxLogUploadUserId(const QString &)
{
    UninstalledEntries::note("UnreadBoxEntry::setMessageBoxLogUploadUserId");
}
