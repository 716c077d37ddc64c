#include "EventRouter.h"

#include "PluginManager.h"
#include "log/ShellLog.h"

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/PluginInterface.h>

#include <QCoreApplication>

#include <cstring>

namespace {

// Addresses share their length, so Qt's compare never stops at the size and
// goes out of line. Most compares are of a string with itself (the table's
// own copy) or of two addresses that differ within the first digits, so both
// are settled before a call to memcmp would even start.
inline bool sameAddress(const QString &a, const QString &b)
{
    const qsizetype n = a.size();
    if (n != b.size())
        return false;
    const QChar *pa = a.constData();
    const QChar *pb = b.constData();
    if (pa == pb)
        return true;
    for (qsizetype i = 0; i < n; ++i) {
        if (pa[i] != pb[i])
            return false;
    }
    return true;
}

} // namespace

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
    // Converted once, not on every event.
    static const QString shell = QString::fromLatin1(Address::Shell);
    static const QString controls = QString::fromLatin1(Address::ControlsLibrary);

    const QString &target = event->targetId();
    if (sameAddress(target, shell)) {
        if (m_shellHandler)
            m_shellHandler(event);
        return;
    }
    if (sameAddress(target, controls)) {
        deliver(m_controls, event);
        return;
    }
    if (!m_plugins)
        return;

    const QString &source = event->sourceId();
    if (!target.isEmpty()) {
        // A targeted event reaches at most one plug-in: look it up instead of walking the table.
        if (sameAddress(target, source))
            return;
        if (PluginInterface *plugin = m_plugins->routeTo(target))
            deliver(plugin->receiver(), event);
        return;
    }
    const QVector<PluginManager::Route> routes = m_plugins->routes();
    for (const PluginManager::Route &route : routes) {
        if (!route.plugin) {
            LOG_WARN(QStringLiteral("lists.at(i) is null"));
            continue;
        }
        if (!sameAddress(route.address, source))
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
