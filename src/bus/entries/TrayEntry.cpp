#include "TrayEntry.h"

#include "UninstalledEntries.h"

namespace {

TrayEntry *g_installed = nullptr;

} // namespace

TrayEntry::~TrayEntry() = default;

TrayEntry &TrayEntry::current()
{
    static TrayEntry fallback;
    return g_installed ? *g_installed : fallback;
}

void TrayEntry::install(TrayEntry *entry)
{
    g_installed = entry;
}

void TrayEntry::trayShakeByMessage(const QString &, const MessageData &)
{
    UninstalledEntries::note("TrayEntry::trayShakeByMessage");
}

void TrayEntry::trayShakeByNotice(const QString &, const QString &, bool)
{
    UninstalledEntries::note("TrayEntry::trayShakeByNotice");
}

void TrayEntry::trayStopFlashing(const QString &)
{
    UninstalledEntries::note("TrayEntry::trayStopFlashing");
}

void TrayEntry::trayInitOfflineMenu()
{
    UninstalledEntries::note("TrayEntry::trayInitOfflineMenu");
}

void TrayEntry::hideTrayIcon()
{
    UninstalledEntries::note("TrayEntry::hideTrayIcon");
}

void TrayEntry::trayHide()
{
    UninstalledEntries::note("TrayEntry::trayHide");
}

void TrayEntry::trayLoginStarted()
{
    UninstalledEntries::note("TrayEntry::trayLoginStarted");
}

void TrayEntry::trayLoginFinished()
{
    UninstalledEntries::note("TrayEntry::trayLoginFinished");
}

void TrayEntry::trayShowTimeOutError()
{
    UninstalledEntries::note("TrayEntry::trayShowTimeOutError");
}

void TrayEntry::trayShowMainWindow()
{
    UninstalledEntries::note("TrayEntry::trayShowMainWindow");
}
