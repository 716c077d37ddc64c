#include "FixturePlugin.h"

#include <lumio/BaseEvent.h>
#include <lumio/EventManager.h>

#include <QVariantMap>

FixturePlugin::FixturePlugin()
{
    setObjectName(QStringLiteral(FIXTURE_ADDRESS));
}

QObject *FixturePlugin::receiver()
{
#ifdef FIXTURE_BEHAVIOUR_NORECEIVER
    return nullptr;
#else
    return this;
#endif
}

void FixturePlugin::sendEvent(int command, const QByteArray &data, const QString &target, bool posted)
{
    auto *event = new BaseEvent(command, data, target, pluginId(), {}, true, posted);
    m_bus->send(event);
    if (!posted)
        delete event;
}

void FixturePlugin::customEvent(QEvent *event)
{
    BaseEvent *baseEvent = BaseEvent::cast(event);
    if (!baseEvent)
        return;
    QVariantList received = property("received").toList();
    received.append(QVariantMap{
        {QStringLiteral("command"), baseEvent->command()},
        {QStringLiteral("data"), baseEvent->data()},
        {QStringLiteral("source"), baseEvent->sourceId()},
        {QStringLiteral("target"), baseEvent->targetId()},
        {QStringLiteral("posted"), baseEvent->posted()},
        {QStringLiteral("event"), QVariant::fromValue(reinterpret_cast<quintptr>(baseEvent))},
        {QStringLiteral("attachments"), baseEvent->attachments().size()},
    });
    setProperty("received", received);
#ifndef FIXTURE_BEHAVIOUR_SILENT
    const QVariant answer = property(QByteArray("answer_") + QByteArray::number(baseEvent->command()));
    if (answer.isValid())
        baseEvent->setData(answer.toByteArray());
#endif
}
