#pragma once

#include "bus/entries/InvitationEntry.h"

#include "CallLog.h"

// Writes each call of the InvitationEntry, with its arguments, to a call log.
class RecordingInvitationEntry : public InvitationEntry
{
public:
    explicit RecordingInvitationEntry(CallLog &log)
        : m_log(log)
    {
    }

    void showAudioVideoInvitation(const MessageData &message) override
    {
        m_log.messages.append(message);
        m_log.record("showAudioVideoInvitation");
    }
    void closeAudioVideoInvitation(const QString &jid) override
    {
        m_log.record("closeAudioVideoInvitation", jid);
    }
    void closePhoneInvitation(const QString &jid) override
    {
        m_log.record("closePhoneInvitation", jid);
    }
    void closeFileInvitation(const QString &text) override
    {
        m_log.record("closeFileInvitation", text);
    }

private:
    CallLog &m_log;
};
