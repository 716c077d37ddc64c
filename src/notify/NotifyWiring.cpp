#include "NotifyWiring.h"

#include "SmallMsgBox.h"
#include "SystemTrayEntry.h"
#include "SystemTrayManager.h"
#include "log/ShellLog.h"

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

} // namespace NotifyWiring
