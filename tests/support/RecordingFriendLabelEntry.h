#pragma once

#include "bus/entries/FriendLabelEntry.h"

#include "CallLog.h"

// Writes each call of the FriendLabelEntry, with its arguments, to a call log.
class RecordingFriendLabelEntry : public FriendLabelEntry
{
public:
    explicit RecordingFriendLabelEntry(CallLog &log)
        : m_log(log)
    {
    }

    void showLabelPopup(const QString &jid, const QString &labelName, const QString &messageId,
                        bool flag) override
    {
        m_log.record("showLabelPopup", jid, labelName, messageId, flag);
    }

private:
    CallLog &m_log;
};
