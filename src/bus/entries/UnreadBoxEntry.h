#pragma once

#include <lumio/MessageData.h>

#include <QString>

// The box listing unread messages by sender.
// The default does nothing and reports the call; start-up installs the real one.
class UnreadBoxEntry
{
public:
    virtual ~UnreadBoxEntry();

    // The installed entry, or the default.
    static UnreadBoxEntry &current();
    // Null puts the default back.
    static void install(UnreadBoxEntry *entry);

    virtual void addMessageToBox(const MessageData &message, const QString &name);
    virtual void removeMessageById(const QString &jid, const QString &messageId);
    virtual void removeUnreadMessagesOf(const QString &jid);
    virtual void removeAllUnreadMessages();
    virtual void removeSender(const QString &jid);
    virtual void setMessageBoxCount(int count);
    virtual bool isMessageBoxVisible();
    virtual void updateMessageBoxEntry(const QString &senderJid, const QString &pictureName,
                                       const QString &fileId, const QString &unused, bool success);
    virtual void setMessageBoxLogUploadKey(const QString &key);
    virtual void setMessageBoxLogUploadUserId(const QString &userId);

protected:
    UnreadBoxEntry() = default;
};
