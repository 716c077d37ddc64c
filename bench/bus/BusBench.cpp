#include "BusBench.h"

#include "CountingPlugin.h"
#include "SampleStats.h"

#include <lumio/Addresses.h>
#include <lumio/PayloadWriter.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

namespace {

constexpr int Command = 4242;
constexpr double TargetedTarget = 2.5;
constexpr double PostedTarget = 1.3;

const char *const PluginAddresses[] = {
    Address::Login, Address::Chat, Address::Contacts, Address::MainPanel, Address::ContactCard,
    Address::OwnProfile, Address::OwnAccount, Address::GroupChat, Address::SystemSettings,
    Address::SipPhone, Address::UserDirectory, Address::ExitNotified, Address::SmallBoxSender,
    Address::FileManager, Address::Topic,
};

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

// addPlugin announces each plug-in; fifteen such lines would bury the figures.
void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        QTextStream(stderr) << text << Qt::endl;
}

double nsPer(const QElapsedTimer &timer, qint64 events)
{
    return double(timer.nsecsElapsed()) / double(events);
}

QString ns(double value)
{
    return QStringLiteral("%1 ns").arg(value, 8, 'f', 1);
}

} // namespace

BusBench::BusBench(const Options &options)
    : m_options(options)
    , m_router(&m_plugins)
    , m_source(QString::fromLatin1(Address::Shell))
    , m_payload(PayloadWriter::pack(QStringLiteral("bench"), qint32(7)))
    , m_attachments{std::make_shared<int>(1)}
{
    m_plugins.setEventManager(&m_router);
    const QtMessageHandler previous = qInstallMessageHandler(quietMessages);
    for (const char *address : PluginAddresses) {
        m_receivers.push_back(std::make_unique<CountingPlugin>(QString::fromLatin1(address)));
        m_plugins.addPlugin(m_receivers.back().get(), QStringLiteral("bench"));
        if (qstrcmp(address, Address::Chat) == 0)
            m_target = m_receivers.back().get();
    }
    qInstallMessageHandler(previous);
}

BusBench::~BusBench() = default;

bool BusBench::run()
{
    const int plugins = int(m_receivers.size());
    out() << QStringLiteral("bus: %1 plug-ins, %2 repetitions; %3 sync events, %4 posted rounds each\n"
                            "figures are medians over the repetitions; a ratio is the median of\n"
                            "the ratios of back-to-back router and raw runs\n\n")
                 .arg(plugins).arg(m_options.repetitions)
                 .arg(m_options.syncIterations).arg(m_options.postedRounds)
          << Qt::flush;

    const Figures targeted = compare([this] { return routedTargeted(); },
                                     [this] { return rawTargeted(); });
    out() << "sync targeted (per event)\n"
          << "  router.send:               " << ns(targeted.routerNs) << "\n"
          << "  QCoreApplication::sendEvent: " << ns(targeted.rawNs) << "\n"
          << "  ratio " << ratioLine(targeted.ratio, TargetedTarget) << "\n\n" << Qt::flush;

    const Figures posted = compare([this] { return routedPostedBroadcast(); },
                                   [this] { return rawPostedBroadcast(); });
    out() << "posted broadcast to " << plugins << " plug-ins, drained (per delivered event)\n"
          << "  router.send + drain:       " << ns(posted.routerNs)
          << QStringLiteral("  (%1 ns per broadcast)\n").arg(posted.routerNs * plugins, 0, 'f', 0)
          << "  " << plugins << " x postEvent + drain:   " << ns(posted.rawNs)
          << QStringLiteral("  (%1 ns per broadcast)\n").arg(posted.rawNs * plugins, 0, 'f', 0)
          << "  ratio " << ratioLine(posted.ratio, PostedTarget) << "\n\n" << Qt::flush;

    const Figures broadcast = compare([this] { return routedSyncBroadcast(); },
                                      [this] { return rawSyncBroadcast(); });
    out() << "sync broadcast to " << plugins << " plug-ins, for information (per delivered event)\n"
          << "  router.send:               " << ns(broadcast.routerNs) << "\n"
          << "  " << plugins << " x sendEvent:          " << ns(broadcast.rawNs) << "\n"
          << QStringLiteral("  ratio %1x\n").arg(broadcast.ratio, 0, 'f', 2) << Qt::flush;

    // Each repetition repeats a broken count; once is enough to read.
    m_failures.removeDuplicates();
    for (const QString &failure : m_failures)
        QTextStream(stderr) << "FAILED: " << failure << Qt::endl;
    return m_failures.isEmpty();
}

BusBench::Figures BusBench::compare(const Timed &router, const Timed &raw)
{
    // One untimed pass each, then alternate so that drift hits both sides alike.
    router();
    raw();
    QVector<double> routerNs, rawNs, ratios;
    for (int i = 0; i < m_options.repetitions; ++i) {
        routerNs.append(router());
        rawNs.append(raw());
        ratios.append(routerNs.last() / rawNs.last());
    }
    return {SampleStats(routerNs).median(), SampleStats(rawNs).median(), SampleStats(ratios).median()};
}

double BusBench::routedTargeted()
{
    resetCounts();
    BaseEvent event(Command, m_payload, m_target->pluginId(), m_source);
    const int n = m_options.syncIterations;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < n; ++i)
        m_router.send(&event);
    const double result = nsPer(timer, n);
    expect(QStringLiteral("sync targeted via router"), n, m_target);
    expectSameEvent(QStringLiteral("sync targeted via router"), &event, m_target);
    return result;
}

double BusBench::rawTargeted()
{
    resetCounts();
    BaseEvent event(Command, m_payload, m_target->pluginId(), m_source);
    QObject *receiver = m_target->receiver();
    const int n = m_options.syncIterations;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < n; ++i)
        QCoreApplication::sendEvent(receiver, &event);
    const double result = nsPer(timer, n);
    expect(QStringLiteral("sync targeted raw"), n, m_target);
    return result;
}

BaseEvent *BusBench::newPostedBroadcast() const
{
    return new BaseEvent(Command, m_payload, QString::fromLatin1(Address::Broadcast), m_source,
                         m_attachments, true, true);
}

double BusBench::routedPostedBroadcast()
{
    resetCounts();
    const int rounds = m_options.postedRounds;
    const qint64 perRound = qint64(m_receivers.size());
    qint64 expected = 0;
    bool drained = true;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds && drained; ++i) {
        m_router.send(newPostedBroadcast());
        drained = drainTo(expected += perRound);
    }
    const double result = nsPer(timer, rounds * perRound);
    expect(QStringLiteral("posted broadcast via router"), rounds, nullptr);
    return result;
}

double BusBench::rawPostedBroadcast()
{
    resetCounts();
    const int rounds = m_options.postedRounds;
    const qint64 perRound = qint64(m_receivers.size());
    qint64 expected = 0;
    bool drained = true;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds && drained; ++i) {
        for (const auto &receiver : m_receivers)
            QCoreApplication::postEvent(receiver->receiver(), newPostedBroadcast());
        drained = drainTo(expected += perRound);
    }
    const double result = nsPer(timer, rounds * perRound);
    expect(QStringLiteral("posted broadcast raw"), rounds, nullptr);
    return result;
}

double BusBench::routedSyncBroadcast()
{
    resetCounts();
    BaseEvent event(Command, m_payload, QString::fromLatin1(Address::Broadcast), m_source);
    const int rounds = m_options.postedRounds;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds; ++i)
        m_router.send(&event);
    const double result = nsPer(timer, rounds * qint64(m_receivers.size()));
    expect(QStringLiteral("sync broadcast via router"), rounds, nullptr);
    expectSameEvent(QStringLiteral("sync broadcast via router"), &event, nullptr);
    return result;
}

double BusBench::rawSyncBroadcast()
{
    resetCounts();
    BaseEvent event(Command, m_payload, QString::fromLatin1(Address::Broadcast), m_source);
    const int rounds = m_options.postedRounds;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds; ++i) {
        for (const auto &receiver : m_receivers)
            QCoreApplication::sendEvent(receiver->receiver(), &event);
    }
    const double result = nsPer(timer, rounds * qint64(m_receivers.size()));
    expect(QStringLiteral("sync broadcast raw"), rounds, nullptr);
    return result;
}

// The router posts its copies from inside a drain, and Qt leaves events
// posted during a drain for the next one: the bus needs two passes.
bool BusBench::drainTo(qint64 expectedTotal)
{
    for (int pass = 0; pass < 4; ++pass) {
        QCoreApplication::sendPostedEvents();
        if (totalCount() >= expectedTotal)
            return true;
    }
    return false;
}

qint64 BusBench::totalCount() const
{
    qint64 total = 0;
    for (const auto &receiver : m_receivers)
        total += receiver->count();
    return total;
}

void BusBench::resetCounts()
{
    for (const auto &receiver : m_receivers)
        receiver->reset();
}

void BusBench::expect(const QString &what, qint64 perPlugin, const CountingPlugin *only)
{
    for (const auto &receiver : m_receivers) {
        const qint64 wanted = (!only || receiver.get() == only) ? perPlugin : 0;
        if (receiver->count() != wanted)
            m_failures.append(QStringLiteral("%1: %2 got %3 events, expected %4")
                                  .arg(what, receiver->pluginId())
                                  .arg(receiver->count()).arg(wanted));
    }
    // Every copy of a posted event is gone by now, so only ours holds the attachment.
    if (m_attachments.first().use_count() != 1)
        m_failures.append(QStringLiteral("%1: attachment still held %2 times")
                              .arg(what).arg(m_attachments.first().use_count() - 1));
}

void BusBench::expectSameEvent(const QString &what, const QEvent *event, const CountingPlugin *only)
{
    for (const auto &receiver : m_receivers) {
        if ((!only || receiver.get() == only) && receiver->lastEvent() != event)
            m_failures.append(QStringLiteral("%1: %2 was not handed the sender's own event")
                                  .arg(what, receiver->pluginId()));
    }
}
