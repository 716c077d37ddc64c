#include "MainWindowEntry.h"

#include "UninstalledEntries.h"

namespace {

MainWindowEntry *g_installed = nullptr;

} // namespace

MainWindowEntry::~MainWindowEntry() = default;

MainWindowEntry &MainWindowEntry::current()
{
    static MainWindowEntry fallback;
    return g_installed ? *g_installed : fallback;
}

void MainWindowEntry::install(MainWindowEntry *entry)
{
    g_installed = entry;
}

bool MainWindowEntry::hasMainWindow()
{
    UninstalledEntries::note("MainWindowEntry::hasMainWindow");
    return false;
}

void MainWindowEntry::loginCompleted()
{
    UninstalledEntries::note("MainWindowEntry::loginCompleted");
}

void MainWindowEntry::checkFreeDiskSpace()
{
    UninstalledEntries::note("MainWindowEntry::checkFreeDiskSpace");
}

void MainWindowEntry::mainWindowLoggedIn(int)
{
    UninstalledEntries::note("MainWindowEntry::mainWindowLoggedIn");
}

void MainWindowEntry::showOnlinePresence(int)
{
    UninstalledEntries::note("MainWindowEntry::showOnlinePresence");
}

void MainWindowEntry::showInvisiblePresence(bool)
{
    UninstalledEntries::note("MainWindowEntry::showInvisiblePresence");
}

int MainWindowEntry::mainWindowPresence()
{
    UninstalledEntries::note("MainWindowEntry::mainWindowPresence");
    return 0;
}

bool MainWindowEntry::mainWindowStateFlag()
{
    UninstalledEntries::note("MainWindowEntry::mainWindowStateFlag");
    return false;
}

void MainWindowEntry::setMainWindowPresenceCode(int)
{
    UninstalledEntries::note("MainWindowEntry::setMainWindowPresenceCode");
}

int MainWindowEntry::mainWindowStateValue()
{
    UninstalledEntries::note("MainWindowEntry::mainWindowStateValue");
    return 0;
}

void MainWindowEntry::loginAgain()
{
    UninstalledEntries::note("MainWindowEntry::loginAgain");
}

void MainWindowEntry::closeMainWindowIfVisible()
{
    UninstalledEntries::note("MainWindowEntry::closeMainWindowIfVisible");
}

void MainWindowEntry::showMainWindowDocked()
{
    UninstalledEntries::note("MainWindowEntry::showMainWindowDocked");
}

void MainWindowEntry::setUnreadBadge(const QString &)
{
    UninstalledEntries::note("MainWindowEntry::setUnreadBadge");
}

void MainWindowEntry::setStatusLine(const QString &)
{
    UninstalledEntries::note("MainWindowEntry::setStatusLine");
}

void MainWindowEntry::reportHotKeyConflict(int)
{
    UninstalledEntries::note("MainWindowEntry::reportHotKeyConflict");
}

void MainWindowEntry::showReceiveMessage()
{
    UninstalledEntries::note("MainWindowEntry::showReceiveMessage");
}

void MainWindowEntry::showScreenshot()
{
    UninstalledEntries::note("MainWindowEntry::showScreenshot");
}

void MainWindowEntry::applySkinAndRepaint()
{
    UninstalledEntries::note("MainWindowEntry::applySkinAndRepaint");
}
