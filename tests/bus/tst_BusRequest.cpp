#include "LogCapture.h"
#include "bus/BusRequest.h"
#include "bus/EventRouter.h"
#include "bus/PluginManager.h"

#include <QtTest>

namespace {
const QString Absent = QStringLiteral("{AAAAAAAA-0000-0000-0000-00000000000A}");
const QString Other = QStringLiteral("{AAAAAAAA-0000-0000-0000-00000000000B}");

int linesWith(const LogCapture &log, const QString &fragment)
{
    int n = 0;
    for (const QString &line : log.lines())
        n += line.contains(fragment) ? 1 : 0;
    return n;
}
} // namespace

class tst_BusRequest : public QObject
{
    Q_OBJECT
private slots:
    void repeatedMissesAreLoggedOnceAndCounted();
};

void tst_BusRequest::repeatedMissesAreLoggedOnceAndCounted()
{
    PluginManager plugins;
    EventRouter router(&plugins);
    BusRequest::setBus(&router);
    LogCapture log;
    for (int i = 0; i < 5; ++i)
        QVERIFY(!BusRequest::ask(0x4001, Absent).has_value());
    QVERIFY(!BusRequest::ask(0x4002, Absent).has_value());
    QVERIFY(!BusRequest::ask(0x4001, Other).has_value());

    QCOMPARE(linesWith(log, QStringLiteral("no answer to command 0x4001 from ") + Absent), 1);
    QCOMPARE(linesWith(log, QStringLiteral("no answer to command 0x4002 from ") + Absent), 1);
    QCOMPARE(linesWith(log, QStringLiteral("no answer to command 0x4001 from ") + Other), 1);
    QCOMPARE(BusRequest::missCount(0x4001, Absent), 5);
    QCOMPARE(BusRequest::missCount(0x4001, Other), 1);

    BusRequest::logMissSummary();
    QCOMPARE(linesWith(log, QStringLiteral("unanswered questions: 0x4001 from ") + Absent + ": 5"), 1);
    QVERIFY(!log.contains(QStringLiteral("0x4002 from ") + Absent + ":")); // one miss is not repeated
    BusRequest::setBus(nullptr);
}

QTEST_GUILESS_MAIN(tst_BusRequest)
#include "tst_BusRequest.moc"
