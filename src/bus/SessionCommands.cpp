#include "SessionCommands.h"

#include "LoginCache.h"
#include "MainSignalSender.h"
#include "ShellEntries.h"
#include "app/CrashCapture.h"
#include "app/SystemSetData.h"
#include "common/CommonFun.h"

#include <lumio/Commands.h>

namespace {

constexpr int BadgeLimit = 99;

void loginCompleted(CommandContext &c)
{
    c.in().readString();
    // Recorded now: the crash path cannot ask the bus where the user's Log.ini is.
    CrashCapture::setUserFolder(c.settings().accountFolder());
    c.entries().loginCompleted();
    c.signalSender().login(true);
    c.entries().checkFreeDiskSpace();
}

void ownJid(CommandContext &c)
{
    const QString jid = c.in().readString();
    c.cache().setOwnJid(jid);
    c.signalSender().emitJid(jid);
}

void statusLine(CommandContext &c)
{
    const QString text = c.in().readString();
    CommonFun::setStatusText(text);
    if (c.hasMainWindow())
        c.entries().setStatusLine(text);
}

void unreadBadge(CommandContext &c)
{
    const int unread = c.in().readInt();
    if (c.hasMainWindow())
        c.entries().setUnreadBadge(SessionCommands::badgeText(unread));
}

void addConnectionRows(CommandTable &t)
{
    t.insert(Command::LoginCompleted, loginCompleted);
    t.insert(Command::LoggedOut, [](CommandContext &c) {
        // The next user's credentials are not known until that user logs in; the
        // log upload must not send that user's log under the previous one's key.
        CrashCapture::clearUser();
        c.cache().setLogUploadUserId(QString());
        c.cache().setLogUploadKey(QString());
        c.signalSender().login(false);
    });
    t.insert(Command::SetOwnJid, ownJid);
    t.insert(Command::ConnectionState,
             [](CommandContext &c) { c.signalSender().emitIsConnected(c.in().readBool()); });
    t.insert(Command::ConnectionLost, [](CommandContext &c) { c.signalSender().emitIsConnected(false); });
    t.insert(Command::NetworkDisconnected, [](CommandContext &c) { c.signalSender().disconnectNet(c.in().readBool()); });
    t.insert(Command::SocketErrorChanged, [](CommandContext &c) { c.signalSender().emitChangeSocketError(); });
    t.insert(Command::LoggerChanged, [](CommandContext &c) { c.signalSender().emitLoggerChanged(); });
    t.insert(Command::LoginTip, [](CommandContext &c) { c.signalSender().emitLoginTip(c.in().readString()); });
    t.insert(Command::NoHide, [](CommandContext &c) { c.signalSender().emitNoHide(); });
    t.insert(Command::HideAppBox, [](CommandContext &c) { c.signalSender().emitHideAppbox(); });
    t.insert(Command::StartUpgradeCheck, [](CommandContext &c) { c.entries().startUpgradeCheck(c.in().readInt()); });
}

void addMainWindowRows(CommandTable &t)
{
    t.insert(Command::StartMainWindow, [](CommandContext &c) {
        const int code = c.in().readInt();
        if (c.hasMainWindow())
            c.entries().mainWindowLoggedIn(code);
    });
    t.insert(Command::ShowOnline, [](CommandContext &c) {
        const int value = c.in().readInt();
        if (c.hasMainWindow())
            c.entries().showOnlinePresence(value);
    });
    t.insert(Command::SetInvisible, [](CommandContext &c) {
        const bool invisible = c.in().readBool();
        if (c.hasMainWindow())
            c.entries().showInvisiblePresence(invisible);
    });
    t.insert(Command::MainWindowPresence, [](CommandContext &c) {
        if (c.expectsAnswer())
            c.answer(qint32(c.hasMainWindow() ? c.entries().mainWindowPresence() : 0));
    });
    t.insert(Command::MainWindowStateFlag, [](CommandContext &c) {
        if (c.expectsAnswer())
            c.answer(c.hasMainWindow() && c.entries().mainWindowStateFlag());
    });
    t.insert(Command::SetPresenceCode, [](CommandContext &c) {
        const int code = c.in().readInt();
        if (c.hasMainWindow())
            c.entries().setMainWindowPresenceCode(code);
    });
    t.insert(Command::MainWindowStateValue, [](CommandContext &c) {
        if (c.expectsAnswer())
            c.answer(qint32(c.hasMainWindow() ? c.entries().mainWindowStateValue() : 0));
    });
    t.insert(Command::LoginAgain, [](CommandContext &c) {
        if (c.hasMainWindow())
            c.entries().loginAgain();
    });
    t.insert(Command::CloseMainWindow, [](CommandContext &c) {
        if (c.hasMainWindow())
            c.entries().closeMainWindowIfVisible();
    });
    t.insert(Command::ShowDocked, [](CommandContext &c) {
        if (c.hasMainWindow())
            c.entries().showMainWindowDocked();
    });
    t.insert(Command::UnreadBadge, unreadBadge);
    t.insert(Command::StatusLine, statusLine);
    t.insert(Command::HotKeyConflict, [](CommandContext &c) {
        const int value = c.in().readInt();
        if (c.hasMainWindow())
            c.entries().reportHotKeyConflict(value);
    });
    t.insert(Command::ShowReceivedMessage, [](CommandContext &c) {
        if (c.hasMainWindow())
            c.entries().showReceiveMessage();
    });
    t.insert(Command::ShowScreenshot, [](CommandContext &c) {
        if (c.hasMainWindow())
            c.entries().showScreenshot();
    });
}

void addCloseConfirmationRows(CommandTable &t)
{
    t.insert(Command::ShowCloseConfirmation,
             [](CommandContext &c) { c.entries().showCloseConfirmation(c.in().readString()); });
    t.insert(Command::ResetCloseConfirmation,
             [](CommandContext &c) { c.entries().resetCloseConfirmation(c.in().readString()); });
}

} // namespace

void SessionCommands::addTo(CommandTable &table)
{
    addConnectionRows(table);
    addMainWindowRows(table);
    addCloseConfirmationRows(table);
}

QString SessionCommands::badgeText(int unread)
{
    if (unread < 1)
        return {};
    if (unread > BadgeLimit)
        return QString::number(BadgeLimit) + QLatin1Char('+');
    return QString::number(unread);
}
