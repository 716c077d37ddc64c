#pragma once

#include <lumio/PluginInterface.h>

#include <QObject>
#include <QPointer>

class LoginWindow;

// The reference log-in plug-in: shows the log-in window when the shell asks.
class LoginPlugin : public QObject, public PluginInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PluginInterface_iid FILE "login.json")
    Q_INTERFACES(PluginInterface)
public:
    QString pluginName() const override { return QStringLiteral("login"); }
    QObject *receiver() override { return this; }
    void setEventManager(EventManager *manager) override { m_bus = manager; }
    QString pluginId() const override;
    void setLogger(SharedLog *log) override { m_log = log; }

protected:
    void customEvent(QEvent *event) override;

private:
    void showWindow(const QString &userId);

    EventManager *m_bus = nullptr;
    SharedLog *m_log = nullptr;
    QPointer<LoginWindow> m_window;
};
