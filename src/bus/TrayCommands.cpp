#include "TrayCommands.h"

#include "ShellEntries.h"

namespace {

constexpr int MobileClient = 1;

} // namespace

void TrayCommands::addTo(CommandTable &t)
{
    t.insert(0x1003, [](CommandContext &c) { c.entries().showMobileLogin(MobileClient, true); });
    t.insert(0x1002, [](CommandContext &c) { c.entries().showMobileLogin(MobileClient, false); });
    t.insert(0x104E, [](CommandContext &c) { c.entries().trayInitOfflineMenu(); });
    t.insert(0x117C, [](CommandContext &c) { c.entries().hideTrayIcon(); });
    t.insert(0x1082, [](CommandContext &c) { c.entries().trayHide(); });
    const CommandHandler loginStarted = [](CommandContext &c) { c.entries().trayLoginStarted(); };
    t.insert(0x10B5, loginStarted);
    t.insert(0x105D, loginStarted);
    const CommandHandler loginFinished = [](CommandContext &c) { c.entries().trayLoginFinished(); };
    t.insert(0x10B6, loginFinished);
    t.insert(0x105E, loginFinished);
    t.insert(0x105C, [](CommandContext &c) { c.entries().trayShowTimeOutError(); });
    t.insert(0x1088, [](CommandContext &c) { c.entries().trayShowMainWindow(); });
}
