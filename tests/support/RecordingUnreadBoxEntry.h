#pragma once

#include "bus/entries/UnreadBoxEntry.h"

#include "CallLog.h"

// Writes each call of the UnreadBoxEntry, with its arguments, to a call log.
class RecordingUnreadBoxEntry : public UnreadBoxEntry
{
public:
    explicit RecordingUnreadBoxEntry(CallLog &log)
        : m_log(log)
    {
    }

    bool visible = false;

    void addMessageToBox(const MessageData &message, const QString &name) override
    {
        m_log.messages.append(message);
        m_log.record("addMessageToBox", name);
    }
    void removeMessageById(const QString &jid, const QString &messageId) override
    {
        m_log.record("removeMessageById", jid, messageId);
    }
    void removeUnreadMessagesOf(const QString &jid) override
    {
        m_log.record("removeUnreadMessagesOf", jid);
    }
    void removeAllUnreadMessages() override { m_log.record("removeAllUnreadMessages"); }
    void removeSender(const QString &jid) override { m_log.record("removeSender", jid); }
    void setMessageBoxCount(int count) override { m_log.record("setMessageBoxCount", count); }
    bool isMessageBoxVisible() override { return visible; }
    void updateMessageBoxEntry(const QString &senderJid, const QString &pictureName,
                               const QString &fileId, const QString &unused, bool success) override
    {
        m_log.record("updateMessageBoxEntry", senderJid, pictureName, fileId, unused, success);
    }
    void setMessageBoxLogUploadKey(const QString &key) override
    {
        m_log.record("setMessageBoxLogUploadKey", key);
    }
    void setMessageBoxLogUploadUserId(const QString &userId) override
    {
        m_log.record("setMessageBoxLogUploadUserId", userId);
    }

private:
    CallLog &m_log;
};
