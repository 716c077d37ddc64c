#pragma once

#include <QString>

// What the commands ask of the main window; it exists only after log-in.
// The default does nothing and reports the call; start-up installs the real one.
class MainWindowEntry
{
public:
    virtual ~MainWindowEntry();

    // The installed entry, or the default.
    static MainWindowEntry &current();
    // Null puts the default back.
    static void install(MainWindowEntry *entry);

    virtual bool hasMainWindow();
    // Creates the main window if needed, embeds the contact list, looks for a downloaded version.
    virtual void loginCompleted();
    virtual void checkFreeDiskSpace();
    virtual void mainWindowLoggedIn(int presenceCode);
    virtual void showOnlinePresence(int value);
    virtual void showInvisiblePresence(bool invisible);
    virtual int mainWindowPresence();
    virtual bool mainWindowStateFlag();
    virtual void setMainWindowPresenceCode(int code);
    virtual int mainWindowStateValue();
    virtual void loginAgain();
    virtual void closeMainWindowIfVisible();
    virtual void showMainWindowDocked();
    // An empty text hides the badge.
    virtual void setUnreadBadge(const QString &text);
    virtual void setStatusLine(const QString &text);
    virtual void reportHotKeyConflict(int value);
    virtual void showReceiveMessage();
    virtual void showScreenshot();
    virtual void applySkinAndRepaint();

protected:
    MainWindowEntry() = default;
};
