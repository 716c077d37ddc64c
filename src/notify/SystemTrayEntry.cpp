#include "SystemTrayEntry.h"

#include "SystemTrayManager.h"

void SystemTrayEntry::trayShakeByMessage(const QString &jid, const MessageData &message)
{
    SystemTrayManager::instance()->shakeByMsg(jid, message);
}

void SystemTrayEntry::trayShakeByNotice(const QString &jid, const QString &text, bool silent)
{
    SystemTrayManager::instance()->shakeByNotice(jid, text, silent);
}

void SystemTrayEntry::trayStopFlashing(const QString &jid)
{
    SystemTrayManager::instance()->slot_removeActJid(jid);
}

void SystemTrayEntry::trayInitOfflineMenu()
{
    SystemTrayManager::instance()->initOfflineMenu();
}

void SystemTrayEntry::hideTrayIcon()
{
    SystemTrayManager::instance()->hide();
}

void SystemTrayEntry::trayHide()
{
    SystemTrayManager::instance()->hide();
}

void SystemTrayEntry::trayLoginStarted()
{
    SystemTrayManager::instance()->loginStart();
}

void SystemTrayEntry::trayLoginFinished()
{
    // The plug-ins name no code: the tray keeps the presence it knows.
    SystemTrayManager *tray = SystemTrayManager::instance();
    tray->loginFinished(tray->status());
}

void SystemTrayEntry::trayShowTimeOutError()
{
    SystemTrayManager::instance()->showTimeOutErrorMsg();
}

void SystemTrayEntry::trayShowMainWindow()
{
    SystemTrayManager::instance()->slot_showMainwindow();
}
