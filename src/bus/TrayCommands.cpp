#include "TrayCommands.h"

#include "ShellEntries.h"

#include <lumio/Commands.h>

namespace {

constexpr int MobileClient = 1;

} // namespace

void TrayCommands::addTo(CommandTable &t)
{
    t.insert(Command::MobileLoggedIn, [](CommandContext &c) { c.entries().showMobileLogin(MobileClient, true); });
    t.insert(Command::MobileLoggedOut, [](CommandContext &c) { c.entries().showMobileLogin(MobileClient, false); });
    t.insert(Command::TrayOfflineMenu, [](CommandContext &c) { c.entries().trayInitOfflineMenu(); });
    t.insert(Command::HideTrayIcon, [](CommandContext &c) { c.entries().hideTrayIcon(); });
    t.insert(Command::TrayHide, [](CommandContext &c) { c.entries().trayHide(); });
    const CommandHandler loginStarted = [](CommandContext &c) { c.entries().trayLoginStarted(); };
    t.insert(Command::LoginStarted, loginStarted);
    t.insert(Command::LoginStartedAlt, loginStarted);
    const CommandHandler loginFinished = [](CommandContext &c) { c.entries().trayLoginFinished(); };
    t.insert(Command::LoginFinished, loginFinished);
    t.insert(Command::LoginFinishedAlt, loginFinished);
    t.insert(Command::LoginTimedOut, [](CommandContext &c) { c.entries().trayShowTimeOutError(); });
    t.insert(Command::TrayShowMainWindow, [](CommandContext &c) { c.entries().trayShowMainWindow(); });
}
