#include "SessionCommands.h"

#include "LoginCache.h"
#include "MainSignalSender.h"
#include "entries/CloseConfirmationEntry.h"
#include "entries/MainWindowEntry.h"
#include "entries/SessionEntry.h"
#include "entries/UpgradeEntry.h"
#include "app/SystemSetData.h"
#include "common/CommonFun.h"

#include <lumio/Commands.h>

namespace {

constexpr int BadgeLimit = 99;

void loginCompleted(CommandContext &c)
{
    c.in().readString();
    // First: the crash path must know the user's folder, and the store must be
    // open before the windows read it.
    c.session().loggedIn(c.cache().ownJid(), c.settings().accountFolder());
    c.mainWindow().loginCompleted();
    c.signalSender().login(true);
    c.mainWindow().checkFreeDiskSpace();
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
        c.mainWindow().setStatusLine(text);
}

void unreadBadge(CommandContext &c)
{
    const int unread = c.in().readInt();
    if (c.hasMainWindow())
        c.mainWindow().setUnreadBadge(SessionCommands::badgeText(unread));
}

void addConnectionRows(CommandTable &t)
{
    t.insert(Command::LoginCompleted, loginCompleted);
    t.insert(Command::LoggedOut, [](CommandContext &c) {
        // The next user's credentials are not known until that user logs in; the
        // log upload must not send that user's log under the previous one's key.
        c.session().userChanged();
        c.cache().clearAccountRecord();
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
    t.insert(Command::StartUpgradeCheck, [](CommandContext &c) { c.upgrade().startUpgradeCheck(c.in().readInt()); });
}

void addMainWindowRows(CommandTable &t)
{
    t.insert(Command::StartMainWindow, [](CommandContext &c) {
        const int code = c.in().readInt();
        if (c.hasMainWindow())
            c.mainWindow().mainWindowLoggedIn(code);
    });
    t.insert(Command::ShowOnline, [](CommandContext &c) {
        const int value = c.in().readInt();
        if (c.hasMainWindow())
            c.mainWindow().showOnlinePresence(value);
    });
    t.insert(Command::SetInvisible, [](CommandContext &c) {
        const bool invisible = c.in().readBool();
        if (c.hasMainWindow())
            c.mainWindow().showInvisiblePresence(invisible);
    });
    t.insert(Command::MainWindowPresence, [](CommandContext &c) {
        if (c.expectsAnswer())
            c.answer(qint32(c.hasMainWindow() ? c.mainWindow().mainWindowPresence() : 0));
    });
    t.insert(Command::MainWindowStateFlag, [](CommandContext &c) {
        if (c.expectsAnswer())
            c.answer(c.hasMainWindow() && c.mainWindow().mainWindowStateFlag());
    });
    t.insert(Command::SetPresenceCode, [](CommandContext &c) {
        const int code = c.in().readInt();
        if (c.hasMainWindow())
            c.mainWindow().setMainWindowPresenceCode(code);
    });
    t.insert(Command::MainWindowStateValue, [](CommandContext &c) {
        if (c.expectsAnswer())
            c.answer(qint32(c.hasMainWindow() ? c.mainWindow().mainWindowStateValue() : 0));
    });
    t.insert(Command::LoginAgain, [](CommandContext &c) {
        if (c.hasMainWindow())
            c.mainWindow().loginAgain();
    });
    t.insert(Command::CloseMainWindow, [](CommandContext &c) {
        if (c.hasMainWindow())
            c.mainWindow().closeMainWindowIfVisible();
    });
    t.insert(Command::ShowDocked, [](CommandContext &c) {
        if (c.hasMainWindow())
            c.mainWindow().showMainWindowDocked();
    });
    t.insert(Command::UnreadBadge, unreadBadge);
    t.insert(Command::StatusLine, statusLine);
    t.insert(Command::HotKeyConflict, [](CommandContext &c) {
        const int value = c.in().readInt();
        if (c.hasMainWindow())
            c.mainWindow().reportHotKeyConflict(value);
    });
    t.insert(Command::ShowReceivedMessage, [](CommandContext &c) {
        if (c.hasMainWindow())
            c.mainWindow().showReceiveMessage();
    });
    t.insert(Command::ShowScreenshot, [](CommandContext &c) {
        if (c.hasMainWindow())
            c.mainWindow().showScreenshot();
    });
}

void addCloseConfirmationRows(CommandTable &t)
{
    t.insert(Command::ShowCloseConfirmation,
             [](CommandContext &c) { c.closeConfirmation().showCloseConfirmation(c.in().readString()); });
    t.insert(Command::ResetCloseConfirmation,
             [](CommandContext &c) { c.closeConfirmation().resetCloseConfirmation(c.in().readString()); });
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
