#include "EventRouter.h"

#include "PluginManager.h"
#include "log/ShellLog.h"

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/PluginInterface.h>

#include <QCoreApplication>

EventRouter *EventRouter::instance()
{
    static auto *router = new EventRouter(PluginManager::instance());
    return router;
}

EventRouter::EventRouter(PluginManager *plugins, QObject *parent)
    : EventManager(parent)
    , m_plugins(plugins)
{
}

void EventRouter::setShellHandler(ShellHandler handler)
{
    m_shellHandler = std::move(handler);
}

void EventRouter::setControlsReceiver(QObject *receiver)
{
    m_controls = receiver;
}

void EventRouter::route(BaseEvent *event)
{
    const QString target = event->targetId();
    if (target == QLatin1String(Address::Shell)) {
        if (m_shellHandler)
            m_shellHandler(event);
        return;
    }
    if (target == QLatin1String(Address::ControlsLibrary)) {
        deliver(m_controls, event);
        return;
    }
    if (!m_plugins)
        return;

    const QString source = event->sourceId();
    if (!target.isEmpty()) {
        // A targeted event reaches at most one plug-in: look it up instead of walking the table.
        if (target == source)
            return;
        if (PluginInterface *plugin = m_plugins->plugin(target))
            deliver(plugin->receiver(), event);
        return;
    }
    const QVector<PluginManager::Route> routes = m_plugins->routes();
    for (const PluginManager::Route &route : routes) {
        if (!route.plugin) {
            LOG_WARN(QStringLiteral("lists.at(i) is null"));
            continue;
        }
        if (route.address != source)
            deliver(route.plugin->receiver(), event);
    }
}

void EventRouter::deliver(QObject *receiver, BaseEvent *event)
{
    if (!receiver)
        return;
    if (event->posted())
        QCoreApplication::postEvent(receiver, event->clone());
    else
        QCoreApplication::sendEvent(receiver, event);
}
