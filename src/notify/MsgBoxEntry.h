#pragma once

#include "bus/entries/UnreadBoxEntry.h"

#include <functional>

class MsgBox;

// What the dispatcher's unread-box rows do: each reaches the box and, for
// removals, the tray's list of flashing senders through a hook set at start-up.
class MsgBoxEntry : public UnreadBoxEntry
{
public:
    // (jid, message id): one message; (jid, ""): a sender; ("", ""): everything.
    using TrayRemoval = std::function<void(const QString &jid, const QString &messageId)>;

    explicit MsgBoxEntry(MsgBox *box = nullptr);

    // Start-up points this at the tray manager; empty: nothing to tell.
    static void setTrayRemoval(TrayRemoval removal);

    void addMessageToBox(const MessageData &message, const QString &name) override;
    void removeMessageById(const QString &jid, const QString &messageId) override;
    void removeUnreadMessagesOf(const QString &jid) override;
    void removeAllUnreadMessages() override;
    void removeSender(const QString &jid) override;
    void setMessageBoxCount(int count) override;
    bool isMessageBoxVisible() override;
    void updateMessageBoxEntry(const QString &senderJid, const QString &pictureName,
                               const QString &fileId, const QString &unused, bool success) override;
    void setMessageBoxLogUploadKey(const QString &key) override;
    void setMessageBoxLogUploadUserId(const QString &userId) override;

private:
    MsgBox &box();
    void tray(const QString &jid, const QString &messageId);

    MsgBox *m_box;
};
