#include "EventManager.h"

#include "BaseEvent.h"

#include <QCoreApplication>

EventManager::EventManager(QObject *parent)
    : QObject(parent)
{
}

EventManager::~EventManager() = default;

void EventManager::send(BaseEvent *event)
{
    if (!event)
        return;
    if (event->posted())
        QCoreApplication::postEvent(this, event);
    else
        QCoreApplication::sendEvent(this, event);
}

void EventManager::customEvent(QEvent *event)
{
    if (BaseEvent *baseEvent = BaseEvent::cast(event))
        route(baseEvent);
}
