#include "LoginPlugin.h"

#include "LoginWindow.h"

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/Commands.h>
#include <lumio/PayloadReader.h>
#include <lumio/SharedLog.h>

#include <QDebug>

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
    case Command::ShowLoginWindow: {
        PayloadReader reader(baseEvent->data());
        const QString userId = reader.readString();
        const QString quickLaunch = reader.readString();
        LUMIO_SHARED_LOG(m_log, Info, QStringLiteral("login window requested, uin=%1 quicklunch=%2")
                                          .arg(userId, quickLaunch));
        showWindow(userId);
        break;
    }
    case Command::ShowLoginWindowAgain:
        showWindow({});
        break;
    case Command::QuitLoginWindow:
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
