#include "WindowEntries.h"

#include "bus/entries/CloseConfirmationEntry.h"
#include "bus/entries/MainWindowEntry.h"
#include "bus/entries/TrayEntry.h"
#include "bus/entries/UnreadBoxEntry.h"
#include "mainwindow/CloseConfirmationEntryImpl.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowEntryImpl.h"
#include "notify/MsgBox.h"
#include "notify/MsgBoxEntry.h"
#include "notify/NotifyWiring.h"
#include "notify/SystemTrayManager.h"

#include <QPointer>

namespace {

// The main window reaches the tray and the unread box only through these seams, so
// neither feature includes the other.
MainWindowSeams wiredSeams()
{
    MainWindowSeams seams = MainWindowSeams::defaults();
    seams.trayLoginFinished = [] { TrayEntry::current().trayLoginFinished(); };
    seams.trayPresence = [](int) { SystemTrayManager::instance()->slot_setSystemToolTip(); };
    seams.trayMarkUserQuit = [] { SystemTrayManager::instance()->setIsUserQuit(true); };
    seams.trayHide = [] { SystemTrayManager::instance()->hide(); };
    seams.showMessageBox = [] { MsgBox::instance()->showMsgBox(); };
    return seams;
}

// Only the log-in rows make the main window; the tray's routes into it and the
// boxes' routes into each other are joined the first time it exists. The unread
// box (and its web engine) is not made before then, so start-up stays light.
class WiredMainWindowEntry : public MainWindowEntryImpl
{
public:
    WiredMainWindowEntry() : MainWindowEntryImpl(&wiredSeams) {}

    void loginCompleted() override
    {
        MainWindowEntryImpl::loginCompleted();
        wireOnce();
    }
    void mainWindowLoggedIn(int presenceCode) override
    {
        MainWindowEntryImpl::mainWindowLoggedIn(presenceCode);
        wireOnce();
    }

private:
    void wireOnce()
    {
        MainWindow *mainWindow = window();
        if (m_wired || !mainWindow)
            return;
        m_wired = true;
        QPointer<MainWindow> guarded(mainWindow);
        NotifyWiring::connectMainWindow(mainWindow,
                                        [guarded] { return guarded && guarded->hasContactList(); });
        NotifyWiring::connectUnreadBox(MsgBox::instance());
    }

    bool m_wired = false;
};

} // namespace

void installWindowEntries()
{
    // Each lives as long as the process: the dispatcher may call them until the end.
    // Entries not installed here keep their logging defaults.
    static CloseConfirmationEntryImpl closeConfirmation;
    CloseConfirmationEntry::install(&closeConfirmation);
    static WiredMainWindowEntry mainWindow;
    MainWindowEntry::install(&mainWindow);
    NotifyWiring::installTrayEntry();
    static MsgBoxEntry unreadBox;
    UnreadBoxEntry::install(&unreadBox);
    MsgBoxEntry::setTrayRemoval([](const QString &jid, const QString &messageId) {
        SystemTrayManager::instance()->delfrdMsgById(jid, messageId);
    });
}
