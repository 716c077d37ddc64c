#include "BusRequest.h"

#include "EventRouter.h"
#include "log/ShellLog.h"

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>

#include <QMap>
#include <QMutex>
#include <QPair>
#include <QStringList>

namespace {

EventManager *g_bus = nullptr;

struct Misses
{
    QMutex mutex;
    QMap<QPair<int, QString>, int> counts;
};

Misses &misses()
{
    static auto *m = new Misses;
    return *m;
}

// How many times this question has now gone unanswered.
int countMiss(int command, const QString &target)
{
    Misses &m = misses();
    const QMutexLocker lock(&m.mutex);
    return ++m.counts[qMakePair(command, target)];
}

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
        if (countMiss(command, target) == 1)
            LOG_WARN(QStringLiteral("no answer to command 0x%1 from %2; further misses are counted")
                         .arg(QString::number(command, 16), target));
        return std::nullopt;
    }
    return answer;
}

int BusRequest::missCount(int command, const QString &target)
{
    Misses &m = misses();
    const QMutexLocker lock(&m.mutex);
    return m.counts.value(qMakePair(command, target));
}

void BusRequest::logMissSummary()
{
    QStringList repeated;
    {
        Misses &m = misses();
        const QMutexLocker lock(&m.mutex);
        for (auto it = m.counts.cbegin(); it != m.counts.cend(); ++it) {
            if (it.value() > 1)
                repeated.append(QStringLiteral("0x%1 from %2: %3")
                                    .arg(QString::number(it.key().first, 16), it.key().second)
                                    .arg(it.value()));
        }
    }
    if (!repeated.isEmpty())
        LOG_INFO(QStringLiteral("unanswered questions: ") + repeated.join(QStringLiteral(", ")));
}
