#pragma once

#include "bus/entries/NoticeEntry.h"

#include "CallLog.h"

// Writes each call of the NoticeEntry, with its arguments, to a call log.
class RecordingNoticeEntry : public NoticeEntry
{
public:
    explicit RecordingNoticeEntry(CallLog &log)
        : m_log(log)
    {
    }

    void showMobileLogin(int clientType, bool loggedIn) override
    {
        m_log.record("showMobileLogin", clientType, loggedIn);
    }

private:
    CallLog &m_log;
};
