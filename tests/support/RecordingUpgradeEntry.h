#pragma once

#include "bus/entries/UpgradeEntry.h"

#include "CallLog.h"

// Writes each call of the UpgradeEntry, with its arguments, to a call log.
class RecordingUpgradeEntry : public UpgradeEntry
{
public:
    explicit RecordingUpgradeEntry(CallLog &log)
        : m_log(log)
    {
    }

    void startUpgradeCheck(int mode) override { m_log.record("startUpgradeCheck", mode); }

private:
    CallLog &m_log;
};
