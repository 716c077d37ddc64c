#pragma once

#include "bus/entries/MainWindowEntry.h"

#include "CallLog.h"

// Writes each call of the MainWindowEntry, with its arguments, to a call log.
class RecordingMainWindowEntry : public MainWindowEntry
{
public:
    explicit RecordingMainWindowEntry(CallLog &log)
        : m_log(log)
    {
    }

    bool exists = false;
    int presence = 0;
    bool stateFlag = false;
    int stateValue = 0;

    bool hasMainWindow() override { return exists; }
    void loginCompleted() override { m_log.record("loginCompleted"); }
    void checkFreeDiskSpace() override { m_log.record("checkFreeDiskSpace"); }
    void mainWindowLoggedIn(int presenceCode) override
    {
        m_log.record("mainWindowLoggedIn", presenceCode);
    }
    void showOnlinePresence(int value) override { m_log.record("showOnlinePresence", value); }
    void showInvisiblePresence(bool invisible) override
    {
        m_log.record("showInvisiblePresence", invisible);
    }
    int mainWindowPresence() override { return presence; }
    bool mainWindowStateFlag() override { return stateFlag; }
    void setMainWindowPresenceCode(int code) override
    {
        m_log.record("setMainWindowPresenceCode", code);
    }
    int mainWindowStateValue() override { return stateValue; }
    void loginAgain() override { m_log.record("loginAgain"); }
    void closeMainWindowIfVisible() override { m_log.record("closeMainWindowIfVisible"); }
    void showMainWindowDocked() override { m_log.record("showMainWindowDocked"); }
    void setUnreadBadge(const QString &text) override { m_log.record("setUnreadBadge", text); }
    void setStatusLine(const QString &text) override { m_log.record("setStatusLine", text); }
    void reportHotKeyConflict(int value) override { m_log.record("reportHotKeyConflict", value); }
    void showReceiveMessage() override { m_log.record("showReceiveMessage"); }
    void showScreenshot() override { m_log.record("showScreenshot"); }
    void applySkinAndRepaint() override { m_log.record("applySkinAndRepaint"); }

private:
    CallLog &m_log;
};
