#include "ShellEntries.h"

#include "log/ShellLog.h"

namespace {

class NoEntries final : public ShellEntries
{
};

ShellEntries *g_current = nullptr;

void unavailable(const char *entry)
{
    LOG_DEBUG(QStringLiteral("shell entry %1 not installed; ignored").arg(QLatin1String(entry)));
}

} // namespace

ShellEntries::~ShellEntries() = default;

ShellEntries *ShellEntries::current()
{
    static NoEntries none;
    return g_current ? g_current : &none;
}

void ShellEntries::setCurrent(ShellEntries *entries)
{
    g_current = entries;
}

bool ShellEntries::hasMainWindow()
{
    unavailable("hasMainWindow");
    return false;
}

void ShellEntries::loginCompleted()
{
    unavailable("loginCompleted");
}

void ShellEntries::checkFreeDiskSpace()
{
    unavailable("checkFreeDiskSpace");
}

void ShellEntries::mainWindowLoggedIn(int)
{
    unavailable("mainWindowLoggedIn");
}

void ShellEntries::showOnlinePresence(int)
{
    unavailable("showOnlinePresence");
}

void ShellEntries::showInvisiblePresence(bool)
{
    unavailable("showInvisiblePresence");
}

int ShellEntries::mainWindowPresence()
{
    unavailable("mainWindowPresence");
    return 0;
}

bool ShellEntries::mainWindowStateFlag()
{
    unavailable("mainWindowStateFlag");
    return false;
}

void ShellEntries::setMainWindowPresenceCode(int)
{
    unavailable("setMainWindowPresenceCode");
}

int ShellEntries::mainWindowStateValue()
{
    unavailable("mainWindowStateValue");
    return 0;
}

void ShellEntries::loginAgain()
{
    unavailable("loginAgain");
}

void ShellEntries::closeMainWindowIfVisible()
{
    unavailable("closeMainWindowIfVisible");
}

void ShellEntries::showMainWindowDocked()
{
    unavailable("showMainWindowDocked");
}

void ShellEntries::setUnreadBadge(const QString &)
{
    unavailable("setUnreadBadge");
}

void ShellEntries::setStatusLine(const QString &)
{
    unavailable("setStatusLine");
}

void ShellEntries::reportHotKeyConflict(int)
{
    unavailable("reportHotKeyConflict");
}

void ShellEntries::showReceiveMessage()
{
    unavailable("showReceiveMessage");
}

void ShellEntries::showScreenshot()
{
    unavailable("showScreenshot");
}

void ShellEntries::applySkinAndRepaint()
{
    unavailable("applySkinAndRepaint");
}

LoginCache::AccountRecord ShellEntries::queryCloudAccount(const LoginCache::AccountRecord &stored)
{
    unavailable("queryCloudAccount");
    return stored;
}

void ShellEntries::startUpgradeCheck(int)
{
    unavailable("startUpgradeCheck");
}

void ShellEntries::showLabelPopup(const QString &, const QString &, const QString &, bool)
{
    unavailable("showLabelPopup");
}

void ShellEntries::addMessageToBox(const MessageData &, const QString &)
{
    unavailable("addMessageToBox");
}

void ShellEntries::removeMessageById(const QString &, const QString &)
{
    unavailable("removeMessageById");
}

void ShellEntries::removeUnreadMessagesOf(const QString &)
{
    unavailable("removeUnreadMessagesOf");
}

void ShellEntries::removeAllUnreadMessages()
{
    unavailable("removeAllUnreadMessages");
}

void ShellEntries::removeSender(const QString &)
{
    unavailable("removeSender");
}

void ShellEntries::setMessageBoxCount(int)
{
    unavailable("setMessageBoxCount");
}

bool ShellEntries::isMessageBoxVisible()
{
    unavailable("isMessageBoxVisible");
    return false;
}

void ShellEntries::updateMessageBoxEntry(const QString &, const QString &, const QString &,
                                         const QString &, bool)
{
    unavailable("updateMessageBoxEntry");
}

void ShellEntries::setMessageBoxLogUploadKey(const QString &)
{
    unavailable("setMessageBoxLogUploadKey");
}

void ShellEntries::setMessageBoxLogUploadUserId(const QString &)
{
    unavailable("setMessageBoxLogUploadUserId");
}

void ShellEntries::trayShakeByMessage(const QString &, const MessageData &)
{
    unavailable("trayShakeByMessage");
}

void ShellEntries::trayShakeByNotice(const QString &, const QString &, bool)
{
    unavailable("trayShakeByNotice");
}

void ShellEntries::trayStopFlashing(const QString &)
{
    unavailable("trayStopFlashing");
}

void ShellEntries::trayInitOfflineMenu()
{
    unavailable("trayInitOfflineMenu");
}

void ShellEntries::hideTrayIcon()
{
    unavailable("hideTrayIcon");
}

void ShellEntries::trayHide()
{
    unavailable("trayHide");
}

void ShellEntries::trayLoginStarted()
{
    unavailable("trayLoginStarted");
}

void ShellEntries::trayLoginFinished()
{
    unavailable("trayLoginFinished");
}

void ShellEntries::trayShowTimeOutError()
{
    unavailable("trayShowTimeOutError");
}

void ShellEntries::trayShowMainWindow()
{
    unavailable("trayShowMainWindow");
}

void ShellEntries::showAudioVideoInvitation(const MessageData &)
{
    unavailable("showAudioVideoInvitation");
}

void ShellEntries::closeAudioVideoInvitation(const QString &)
{
    unavailable("closeAudioVideoInvitation");
}

void ShellEntries::closePhoneInvitation(const QString &)
{
    unavailable("closePhoneInvitation");
}

void ShellEntries::closeFileInvitation(const QString &)
{
    unavailable("closeFileInvitation");
}

void ShellEntries::showMobileLogin(int, bool)
{
    unavailable("showMobileLogin");
}

void ShellEntries::showCloseConfirmation(const QString &)
{
    unavailable("showCloseConfirmation");
}

void ShellEntries::resetCloseConfirmation(const QString &)
{
    unavailable("resetCloseConfirmation");
}

void ShellEntries::showSkinWindow()
{
    unavailable("showSkinWindow");
}
