#include "NotifyWiring.h"

#include "SmallMsgBox.h"
#include "SystemTrayEntry.h"
#include "SystemTrayManager.h"
#include "log/ShellLog.h"

#include <QMetaObject>
#include <QWidget>

namespace NotifyWiring {

void installTrayEntry()
{
    static SystemTrayEntry entry;
    TrayEntry::install(&entry);
}

void connectUnreadBox(QWidget *unreadBox)
{
    SystemTrayManager::instance()->setUnreadBox(unreadBox);
    SmallMsgBox *small = SmallMsgBox::instance();
    small->setUnreadBox(unreadBox);
    if (!unreadBox)
        return;
    if (!QObject::connect(unreadBox, SIGNAL(signal_closeallshake()), small, SLOT(slot_abortShakeExptPub())))
        LOG_WARN(QStringLiteral("NotifyWiring: the unread-message box has no signal_closeallshake()"));
}

bool connectMainWindow(QObject *mainWindow, std::function<bool()> hasContactList)
{
    SystemTrayManager *tray = SystemTrayManager::instance();
    tray->setListEmbeddedCheck(std::move(hasContactList));
    if (!mainWindow)
        return false;
    static const char *const routes[][2] = {
        {SIGNAL(signal_showMainWindow()), SLOT(slot_showMainWindow())},
        {SIGNAL(signal_pAct1()), SLOT(slot_pAct1())},
        {SIGNAL(signal_pAct2()), SLOT(slot_pAct2())},
        {SIGNAL(signal_pAct3()), SLOT(slot_pAct3())},
        {SIGNAL(signal_pAct4()), SLOT(slot_pAct4())},
        {SIGNAL(signal_pAct5()), SLOT(slot_pAct5())},
        {SIGNAL(signal_changeuser(QString)), SLOT(slot_changeUser(QString))},
        {SIGNAL(signal_closeMainWindow()), SLOT(slot_exitWithoutNotice())},
    };
    bool all = true;
    for (const auto &route : routes) {
        const QByteArray slot = QMetaObject::normalizedSignature(route[1] + 1);
        if (mainWindow->metaObject()->indexOfSlot(slot.constData()) < 0) {
            LOG_WARN(QStringLiteral("NotifyWiring: the main window has no %1").arg(QString::fromLatin1(slot)));
            all = false;
            continue;
        }
        // Unique: wiring again after a restart of the window adds no second call.
        QObject::connect(tray, route[0], mainWindow, route[1], Qt::UniqueConnection);
    }
    return all;
}

} // namespace NotifyWiring
