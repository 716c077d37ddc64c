#include "MainWindowEntryImpl.h"

#include "DockController.h"
#include "MainWindow.h"

#include "common/CommonFun.h"
#include "log/ShellLog.h"
#include "ui/SkinPainter.h"

MainWindowEntryImpl::MainWindowEntryImpl(std::function<MainWindowSeams()> seams)
    : m_seams(std::move(seams))
{
}

// The window lives until the process ends; the loop's end takes it down.
MainWindowEntryImpl::~MainWindowEntryImpl() = default;

MainWindow *MainWindowEntryImpl::window() const
{
    return m_window;
}

MainWindow *MainWindowEntryImpl::ensure()
{
    if (!m_window)
        m_window = new MainWindow(m_seams());
    return m_window;
}

MainWindow *MainWindowEntryImpl::existing(const char *row) const
{
    if (!m_window)
        LOG_INFO(QStringLiteral("main window not made yet: %1 ignored").arg(QLatin1String(row)));
    return m_window;
}

bool MainWindowEntryImpl::hasMainWindow()
{
    return m_window;
}

void MainWindowEntryImpl::loginCompleted()
{
    MainWindow *window = ensure();
    window->addFriendWidget();
    window->slot_receiveNewVersion();
}

void MainWindowEntryImpl::checkFreeDiskSpace()
{
    if (MainWindow *window = existing("disk check"))
        window->slot_checkDiskTimeOut();
}

void MainWindowEntryImpl::mainWindowLoggedIn(int presenceCode)
{
    ensure()->loggedIn(presenceCode);
}

void MainWindowEntryImpl::showOnlinePresence(int)
{
    if (MainWindow *window = existing("online presence"))
        window->showOnlinePresence();
}

void MainWindowEntryImpl::showInvisiblePresence(bool invisible)
{
    if (MainWindow *window = existing("invisible presence"))
        window->showInvisiblePresence(invisible);
}

int MainWindowEntryImpl::mainWindowPresence()
{
    return m_window ? std::max(0, m_window->presenceCode()) : 0;
}

bool MainWindowEntryImpl::mainWindowStateFlag()
{
    return m_window && m_window->hasLoggedIn();
}

void MainWindowEntryImpl::setMainWindowPresenceCode(int code)
{
    if (MainWindow *window = existing("presence code"))
        window->setPresenceCode(code);
}

int MainWindowEntryImpl::mainWindowStateValue()
{
    return m_window ? m_window->dock()->stayType() : 0;
}

void MainWindowEntryImpl::loginAgain()
{
    if (MainWindow *window = existing("log-in again"))
        window->loginAgainFromHttp();
}

void MainWindowEntryImpl::closeMainWindowIfVisible()
{
    if (m_window)
        m_window->closeIfVisible();
}

void MainWindowEntryImpl::showMainWindowDocked()
{
    if (MainWindow *window = existing("show docked"))
        window->showDocked();
}

void MainWindowEntryImpl::setUnreadBadge(const QString &text)
{
    if (MainWindow *window = existing("unread badge"))
        window->setUnreadBadge(text);
}

void MainWindowEntryImpl::setStatusLine(const QString &text)
{
    if (m_window)
        m_window->setStatusLine(text);
    else
        CommonFun::setStatusText(text);
}

void MainWindowEntryImpl::reportHotKeyConflict(int value)
{
    if (MainWindow *window = existing("hot-key conflict"))
        window->reportHotKeyConflict(value);
}

void MainWindowEntryImpl::showReceiveMessage()
{
    if (MainWindow *window = existing("show received message"))
        window->slot_showReceiveMessage();
}

void MainWindowEntryImpl::showScreenshot()
{
    if (MainWindow *window = existing("screenshot"))
        window->slot_showScreenshot();
}

void MainWindowEntryImpl::applySkinAndRepaint()
{
    // The account's skin was just loaded: paint with it.
    if (m_window)
        m_window->slot_skinChange(SkinPainter::current());
}
