#pragma once

#include <lumio/MessageData.h>

#include <QList>
#include <QString>
#include <QStringList>

// The chat party's use of the message history: every store call it makes is here.
// A conversation with a colleague is keyed by the colleague's JID plus Suffix.
class ChatStore
{
public:
    static const QString Suffix;

    static bool save(const MessageData &message, const QString &peerJid, bool read);
    static bool markRead(const QString &peerJid, const QStringList &messageIds);
    // Oldest first, at most limit of the newest.
    static QList<MessageData> recent(const QString &peerJid, int limit);
    static bool deleteConversation(const QString &peerJid);
};
