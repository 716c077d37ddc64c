#pragma once

#include "bus/entries/SkinEntry.h"

#include "CallLog.h"

// Writes each call of the SkinEntry, with its arguments, to a call log.
class RecordingSkinEntry : public SkinEntry
{
public:
    explicit RecordingSkinEntry(CallLog &log)
        : m_log(log)
    {
    }

    void showSkinWindow() override { m_log.record("showSkinWindow"); }

private:
    CallLog &m_log;
};
