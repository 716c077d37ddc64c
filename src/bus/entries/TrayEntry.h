#pragma once

#include <lumio/MessageData.h>

#include <QString>

// The tray icon: flashing for arrivals, its menus and the log-in states it shows.
// The default does nothing and reports the call; start-up installs the real one.
class TrayEntry
{
public:
    virtual ~TrayEntry();

    // The installed entry, or the default.
    static TrayEntry &current();
    // Null puts the default back.
    static void install(TrayEntry *entry);

    virtual void trayShakeByMessage(const QString &jid, const MessageData &message);
    virtual void trayShakeByNotice(const QString &jid, const QString &text, bool silent);
    virtual void trayStopFlashing(const QString &jid);
    virtual void trayInitOfflineMenu();
    virtual void hideTrayIcon();
    virtual void trayHide();
    virtual void trayLoginStarted();
    virtual void trayLoginFinished();
    virtual void trayShowTimeOutError();
    virtual void trayShowMainWindow();

protected:
    TrayEntry() = default;
};
