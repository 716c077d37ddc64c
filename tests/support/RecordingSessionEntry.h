#pragma once

#include "bus/entries/SessionEntry.h"

#include "CallLog.h"

// Writes each call of the SessionEntry, with its arguments, to a call log.
class RecordingSessionEntry : public SessionEntry
{
public:
    explicit RecordingSessionEntry(CallLog &log)
        : m_log(log)
    {
    }

    void loggedIn(const QString &ownJid, const QString &accountFolder) override
    {
        m_log.record("loggedIn", ownJid, accountFolder);
    }
    void userChanged() override { m_log.record("userChanged"); }

private:
    CallLog &m_log;
};
