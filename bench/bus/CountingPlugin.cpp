#include "CountingPlugin.h"

#include <lumio/BaseEvent.h>

CountingPlugin::CountingPlugin(const QString &address)
    : m_address(address)
{
}

void CountingPlugin::reset()
{
    m_count = 0;
    m_last = nullptr;
}

void CountingPlugin::customEvent(QEvent *event)
{
    if (event->type() != BaseEvent::EventType)
        return;
    ++m_count;
    m_last = event;
}
