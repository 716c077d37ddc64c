#include "TrayCommands.h"

#include "entries/NoticeEntry.h"
#include "entries/TrayEntry.h"

#include <lumio/Commands.h>

namespace {

constexpr int MobileClient = 1;

} // namespace

void TrayCommands::addTo(CommandTable &t)
{
    t.insert(Command::MobileLoggedIn, [](CommandContext &c) { c.notices().showMobileLogin(MobileClient, true); });
    t.insert(Command::MobileLoggedOut, [](CommandContext &c) { c.notices().showMobileLogin(MobileClient, false); });
    t.insert(Command::TrayOfflineMenu, [](CommandContext &c) { c.tray().trayInitOfflineMenu(); });
    t.insert(Command::HideTrayIcon, [](CommandContext &c) { c.tray().hideTrayIcon(); });
    t.insert(Command::TrayHide, [](CommandContext &c) { c.tray().trayHide(); });
    const CommandHandler loginStarted = [](CommandContext &c) { c.tray().trayLoginStarted(); };
    t.insert(Command::LoginStarted, loginStarted);
    t.insert(Command::LoginStartedAlt, loginStarted);
    const CommandHandler loginFinished = [](CommandContext &c) { c.tray().trayLoginFinished(); };
    t.insert(Command::LoginFinished, loginFinished);
    t.insert(Command::LoginFinishedAlt, loginFinished);
    t.insert(Command::LoginTimedOut, [](CommandContext &c) { c.tray().trayShowTimeOutError(); });
    t.insert(Command::TrayShowMainWindow, [](CommandContext &c) { c.tray().trayShowMainWindow(); });
}
