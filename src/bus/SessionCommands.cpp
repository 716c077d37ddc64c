#include "SessionCommands.h"

#include "LoginCache.h"
#include "MainSignalSender.h"
#include "ShellEntries.h"
#include "app/CrashCapture.h"
#include "app/settings/SystemSetData.h"
#include "common/CommonFun.h"

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
    t.insert(0x108C, loginCompleted);
    t.insert(0x1172, [](CommandContext &c) {
        // The next user's credentials are not known until that user logs in; the
        // log upload must not send that user's log under the previous one's key.
        CrashCapture::clearUser();
        c.cache().setLogUploadUserId(QString());
        c.cache().setLogUploadKey(QString());
        c.signalSender().login(false);
    });
    t.insert(0x108B, ownJid);
    t.insert(0x102C,
             [](CommandContext &c) { c.signalSender().emitIsConnected(c.in().readBool()); });
    t.insert(0x1065, [](CommandContext &c) { c.signalSender().emitIsConnected(false); });
    t.insert(0x1090, [](CommandContext &c) { c.signalSender().disconnectNet(c.in().readBool()); });
    t.insert(0x108A, [](CommandContext &c) { c.signalSender().emitChangeSocketError(); });
    t.insert(0x1094, [](CommandContext &c) { c.signalSender().emitLoggerChanged(); });
    t.insert(0x1050, [](CommandContext &c) { c.signalSender().emitLoginTip(c.in().readString()); });
    t.insert(0x1118, [](CommandContext &c) { c.signalSender().emitNoHide(); });
    t.insert(0x1081, [](CommandContext &c) { c.signalSender().emitHideAppbox(); });
    t.insert(0x1052, [](CommandContext &c) { c.entries().startUpgradeCheck(c.in().readInt()); });
}

void addMainWindowRows(CommandTable &t)
{
    t.insert(0x1053, [](CommandContext &c) {
        const int code = c.in().readInt();
        if (c.hasMainWindow())
            c.entries().mainWindowLoggedIn(code);
    });
    t.insert(0x11E0, [](CommandContext &c) {
        const int value = c.in().readInt();
        if (c.hasMainWindow())
            c.entries().showOnlinePresence(value);
    });
    t.insert(0x11DD, [](CommandContext &c) {
        const bool invisible = c.in().readBool();
        if (c.hasMainWindow())
            c.entries().showInvisiblePresence(invisible);
    });
    t.insert(0x11DE, [](CommandContext &c) {
        if (c.expectsAnswer())
            c.answer(qint32(c.hasMainWindow() ? c.entries().mainWindowPresence() : 0));
    });
    t.insert(0x11DF, [](CommandContext &c) {
        if (c.expectsAnswer())
            c.answer(c.hasMainWindow() && c.entries().mainWindowStateFlag());
    });
    t.insert(0x104F, [](CommandContext &c) {
        const int code = c.in().readInt();
        if (c.hasMainWindow())
            c.entries().setMainWindowPresenceCode(code);
    });
    t.insert(0x1051, [](CommandContext &c) {
        if (c.expectsAnswer())
            c.answer(qint32(c.hasMainWindow() ? c.entries().mainWindowStateValue() : 0));
    });
    t.insert(0x1272, [](CommandContext &c) {
        if (c.hasMainWindow())
            c.entries().loginAgain();
    });
    t.insert(0x112A, [](CommandContext &c) {
        if (c.hasMainWindow())
            c.entries().closeMainWindowIfVisible();
    });
    t.insert(0x1207, [](CommandContext &c) {
        if (c.hasMainWindow())
            c.entries().showMainWindowDocked();
    });
    t.insert(0x1208, unreadBadge);
    t.insert(0x10B4, statusLine);
    t.insert(0x123F, [](CommandContext &c) {
        const int value = c.in().readInt();
        if (c.hasMainWindow())
            c.entries().reportHotKeyConflict(value);
    });
    t.insert(0x109C, [](CommandContext &c) {
        if (c.hasMainWindow())
            c.entries().showReceiveMessage();
    });
    t.insert(0x109E, [](CommandContext &c) {
        if (c.hasMainWindow())
            c.entries().showScreenshot();
    });
}

void addCloseConfirmationRows(CommandTable &t)
{
    t.insert(0x1087,
             [](CommandContext &c) { c.entries().showCloseConfirmation(c.in().readString()); });
    t.insert(0x1021,
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
