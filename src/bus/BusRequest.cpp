#include "BusRequest.h"

#include "EventRouter.h"
#include "log/ShellLog.h"

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>

namespace {

EventManager *g_bus = nullptr;

QString sourceAddress(BusRequest::Source source)
{
    return source == BusRequest::Source::Shell ? QString::fromLatin1(Address::Shell) : QString();
}

} // namespace

EventManager *BusRequest::bus()
{
    return g_bus ? g_bus : EventRouter::instance();
}

void BusRequest::setBus(EventManager *manager)
{
    g_bus = manager;
}

void BusRequest::tell(int command, const QString &target, const QByteArray &payload, Source source)
{
    BaseEvent event(command, payload, target, sourceAddress(source), {}, true, false);
    bus()->send(&event);
}

void BusRequest::post(int command, const QString &target, const QByteArray &payload, Source source)
{
    postFrom(command, target, sourceAddress(source), payload);
}

void BusRequest::postFrom(int command, const QString &target, const QString &source,
                          const QByteArray &payload)
{
    bus()->send(new BaseEvent(command, payload, target, source, {}, true, true));
}

std::optional<QByteArray> BusRequest::ask(int command, const QString &target,
                                          const QByteArray &payload, Source source)
{
    BaseEvent event(command, payload, target, sourceAddress(source), {}, true, false);
    const QByteArray request = event.data();
    bus()->send(&event);
    const QByteArray answer = event.data();
    // An answer is always a new byte array; the request's own bytes mean nobody answered.
    if (answer.isSharedWith(request)) {
        LOG_WARN(QStringLiteral("no answer to command 0x%1 from %2")
                     .arg(QString::number(command, 16), target));
        return std::nullopt;
    }
    return answer;
}
