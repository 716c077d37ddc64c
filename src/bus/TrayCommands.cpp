#include "TrayCommands.h"

#include "entries/NoticeEntry.h"
#include "entries/TrayEntry.h"

namespace {

constexpr int MobileClient = 1;

} // namespace

void TrayCommands::addTo(CommandTable &t)
{
    t.insert(0x1003, [](CommandContext &c) { c.notices().showMobileLogin(MobileClient, true); });
    t.insert(0x1002, [](CommandContext &c) { c.notices().showMobileLogin(MobileClient, false); });
    t.insert(0x104E, [](CommandContext &c) { c.tray().trayInitOfflineMenu(); });
    t.insert(0x117C, [](CommandContext &c) { c.tray().hideTrayIcon(); });
    t.insert(0x1082, [](CommandContext &c) { c.tray().trayHide(); });
    const CommandHandler loginStarted = [](CommandContext &c) { c.tray().trayLoginStarted(); };
    t.insert(0x10B5, loginStarted);
    t.insert(0x105D, loginStarted);
    const CommandHandler loginFinished = [](CommandContext &c) { c.tray().trayLoginFinished(); };
    t.insert(0x10B6, loginFinished);
    t.insert(0x105E, loginFinished);
    t.insert(0x105C, [](CommandContext &c) { c.tray().trayShowTimeOutError(); });
    t.insert(0x1088, [](CommandContext &c) { c.tray().trayShowMainWindow(); });
}
