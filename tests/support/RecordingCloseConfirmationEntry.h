#pragma once

#include "bus/entries/CloseConfirmationEntry.h"

#include "CallLog.h"

// Writes each call of the CloseConfirmationEntry, with its arguments, to a call log.
class RecordingCloseConfirmationEntry : public CloseConfirmationEntry
{
public:
    explicit RecordingCloseConfirmationEntry(CallLog &log)
        : m_log(log)
    {
    }

    void showCloseConfirmation(const QString &text) override
    {
        m_log.record("showCloseConfirmation", text);
    }
    void resetCloseConfirmation(const QString &text) override
    {
        m_log.record("resetCloseConfirmation", text);
    }

private:
    CallLog &m_log;
};
