#pragma once

#include "bus/entries/TrayEntry.h"

#include "CallLog.h"

// Writes each call of the TrayEntry, with its arguments, to a call log.
class RecordingTrayEntry : public TrayEntry
{
public:
    explicit RecordingTrayEntry(CallLog &log)
        : m_log(log)
    {
    }

    void trayShakeByMessage(const QString &jid, const MessageData &message) override
    {
        m_log.messages.append(message);
        m_log.record("trayShakeByMessage", jid);
    }
    void trayShakeByNotice(const QString &jid, const QString &text, bool silent) override
    {
        m_log.record("trayShakeByNotice", jid, text, silent);
    }
    void trayStopFlashing(const QString &jid) override { m_log.record("trayStopFlashing", jid); }
    void trayInitOfflineMenu() override { m_log.record("trayInitOfflineMenu"); }
    void hideTrayIcon() override { m_log.record("hideTrayIcon"); }
    void trayHide() override { m_log.record("trayHide"); }
    void trayLoginStarted() override { m_log.record("trayLoginStarted"); }
    void trayLoginFinished() override { m_log.record("trayLoginFinished"); }
    void trayShowTimeOutError() override { m_log.record("trayShowTimeOutError"); }
    void trayShowMainWindow() override { m_log.record("trayShowMainWindow"); }

private:
    CallLog &m_log;
};
