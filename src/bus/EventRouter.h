#pragma once

#include <lumio/EventManager.h>

#include <QPointer>

#include <functional>

class PluginManager;

// The bus's switchboard: hands each event to the shell's dispatcher, the
// controls library, or the plug-ins its target names.
class EventRouter : public EventManager
{
    Q_OBJECT
public:
    using ShellHandler = std::function<void(BaseEvent *)>;

    static EventRouter *instance();
    explicit EventRouter(PluginManager *plugins, QObject *parent = nullptr);

    void setShellHandler(ShellHandler handler);
    void setControlsReceiver(QObject *receiver);

protected:
    void route(BaseEvent *event) override;

private:
    void deliver(QObject *receiver, BaseEvent *event);

    PluginManager *m_plugins;
    ShellHandler m_shellHandler;
    QPointer<QObject> m_controls;
};
