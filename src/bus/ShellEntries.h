#pragma once

#include "LoginCache.h"

#include <lumio/MessageData.h>

#include <QString>

// The windows and managers the dispatcher calls, behind one narrow door: each
// entry does nothing (and logs) until the feature that owns it installs itself.
class ShellEntries
{
public:
    virtual ~ShellEntries();

    // The process-wide entries; never null (the do-nothing set when none is installed).
    static ShellEntries *current();
    // Null puts the do-nothing set back.
    static void setCurrent(ShellEntries *entries);

    // Main window
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
    // Runs the cloud account query (it waits in a nested event loop) and
    // returns the record the shell keeps and answers.
    virtual LoginCache::AccountRecord queryCloudAccount(const LoginCache::AccountRecord &stored);

    // Upgrade
    virtual void startUpgradeCheck(int mode);

    // Friend labels
    virtual void showLabelPopup(const QString &jid, const QString &labelName,
                                const QString &messageId, bool flag);

    // Unread-message box
    virtual void addMessageToBox(const MessageData &message, const QString &name);
    virtual void removeMessageById(const QString &jid, const QString &messageId);
    virtual void removeUnreadMessagesOf(const QString &jid);
    virtual void removeAllUnreadMessages();
    virtual void removeSender(const QString &jid);
    virtual void setMessageBoxCount(int count);
    virtual bool isMessageBoxVisible();
    virtual void updateMessageBoxEntry(const QString &first, const QString &second,
                                       const QString &third, const QString &fourth, bool flag);
    virtual void setMessageBoxLogUploadKey(const QString &key);
    virtual void setMessageBoxLogUploadUserId(const QString &userId);

    // Tray manager
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

    // Invitation boxes and notices
    virtual void showAudioVideoInvitation(const MessageData &message);
    virtual void closeAudioVideoInvitation(const QString &jid);
    // Updates the tray as well.
    virtual void closePhoneInvitation(const QString &jid);
    virtual void closeFileInvitation(const QString &text);
    virtual void showMobileLogin(int clientType, bool loggedIn);

    // Close confirmation
    virtual void showCloseConfirmation(const QString &text);
    virtual void resetCloseConfirmation(const QString &text);

    // Skin window
    virtual void showSkinWindow();

protected:
    ShellEntries() = default;
};
