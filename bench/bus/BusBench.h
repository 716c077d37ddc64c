#pragma once

#include "bus/EventRouter.h"
#include "bus/PluginManager.h"

#include <lumio/BaseEvent.h>

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>
#include <vector>

class CountingPlugin;

// Puts the router beside the raw Qt calls it wraps, on a private bus of
// in-process plug-ins, and checks that every plug-in got what it should.
class BusBench
{
public:
    struct Options
    {
        int repetitions = 7;
        int syncIterations = 200000;
        int postedRounds = 20000;
    };

    explicit BusBench(const Options &options);
    ~BusBench();

    // Prints the figures; false when a delivery count was wrong.
    bool run();

private:
    struct Figures
    {
        double routerNs = 0.0;
        double rawNs = 0.0;
        // Of each back-to-back pair, which shared the machine's load of the moment.
        double ratio = 0.0;
    };
    using Timed = std::function<double()>;

    Figures compare(const Timed &router, const Timed &raw);

    double routedTargeted();
    double rawTargeted();
    double routedPostedBroadcast();
    double rawPostedBroadcast();
    double routedSyncBroadcast();
    double rawSyncBroadcast();

    BaseEvent *newPostedBroadcast() const;
    bool drainTo(qint64 expectedTotal);
    qint64 totalCount() const;
    void resetCounts();
    void expect(const QString &what, qint64 perPlugin, const CountingPlugin *only);
    void expectSameEvent(const QString &what, const QEvent *event, const CountingPlugin *only);

    Options m_options;
    PluginManager m_plugins;
    EventRouter m_router;
    std::vector<std::unique_ptr<CountingPlugin>> m_receivers;
    CountingPlugin *m_target = nullptr;
    QString m_source;
    QByteArray m_payload;
    BaseEvent::AttachmentList m_attachments;
    QStringList m_failures;
};
