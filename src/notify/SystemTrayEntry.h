#pragma once

#include "bus/entries/TrayEntry.h"

// The dispatcher's way to the tray manager.
class SystemTrayEntry : public TrayEntry
{
public:
    void trayShakeByMessage(const QString &jid, const MessageData &message) override;
    void trayShakeByNotice(const QString &jid, const QString &text, bool silent) override;
    void trayStopFlashing(const QString &jid) override;
    void trayInitOfflineMenu() override;
    void hideTrayIcon() override;
    void trayHide() override;
    void trayLoginStarted() override;
    void trayLoginFinished() override;
    void trayShowTimeOutError() override;
    void trayShowMainWindow() override;
};
