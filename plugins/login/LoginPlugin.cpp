#include "LoginPlugin.h"

#include "LoginWindow.h"

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/PayloadReader.h>
#include <lumio/SharedLog.h>

#include <QDebug>

namespace {
constexpr int ShowLogin = 0x1055;
constexpr int ShowLoginAgain = 0x10A8;
constexpr int QuitLogin = 0x10A9;
}

QString LoginPlugin::pluginId() const
{
    return QString::fromLatin1(Address::Login);
}

void LoginPlugin::customEvent(QEvent *event)
{
    const BaseEvent *baseEvent = BaseEvent::cast(event);
    if (!baseEvent)
        return;
    switch (baseEvent->command()) {
    case ShowLogin: {
        PayloadReader reader(baseEvent->data());
        const QString userId = reader.readString();
        const QString quickLaunch = reader.readString();
        LUMIO_SHARED_LOG(m_log, Info, QStringLiteral("login window requested, uin=%1 quicklunch=%2")
                                          .arg(userId, quickLaunch));
        showWindow(userId);
        break;
    }
    case ShowLoginAgain:
        showWindow({});
        break;
    case QuitLogin:
        if (m_window)
            m_window->hide();
        break;
    default:
        break;
    }
}

void LoginPlugin::showWindow(const QString &userId)
{
    if (!m_window)
        m_window = new LoginWindow;
    if (!userId.isEmpty())
        m_window->setAccount(userId);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    qDebug().noquote() << "login window shown";
}
