#include "LogFiles.h"
#include "log/CLogManger.h"
#include "log/LogContext.h"

#include <QtTest>

class tst_CLogManger : public QObject
{
    Q_OBJECT
private slots:
    void forwardsToItsLogger();
    void withoutALoggerEveryCallFails();
    void instanceFollowsThePublishedContext();
};

void tst_CLogManger::forwardsToItsLogger()
{
    TestEnvironment env;
    const QString path = env.root() + "/CustomLog.csv";
    CustomLogger logger(path, shippedLogFormat());
    QVERIFY(logger.open());
    CLogManger manager(&logger);
    QVERIFY(manager.setField6("acct&1"));
    QVERIFY(manager.setField7("2.3.9|x"));
    QVERIFY(manager.log(CLogManger::LevelWarn, "Mod::f()", "text", "here"));
    QVERIFY(manager.flush());
    QVERIFY(lastLine(path).contains("-2\",\"W\",\""));
    QVERIFY(lastLine(path).endsWith("\",\"Mod::f()\",\"acct&1\",\"2.3.9|x\",\"text\",\"here\""));

    QVERIFY(manager.reset());
    QCOMPARE(QString::fromUtf8(TestEnvironment::readText(path)).count('\n'), 2);
}

void tst_CLogManger::withoutALoggerEveryCallFails()
{
    CLogManger manager(nullptr);
    QVERIFY(!manager.log(CLogManger::LevelInfo, "f", "m", "l"));
    QVERIFY(!manager.flush());
    QVERIFY(!manager.reset());
    QVERIFY(!manager.setField6("x"));
    QVERIFY(!manager.setField7("x"));
}

void tst_CLogManger::instanceFollowsThePublishedContext()
{
    QVERIFY(!CLogManger::instance()->log("I", "f", "no context yet", "l"));

    TestEnvironment env;
    const QString path = env.root() + "/CustomLog.csv";
    LogContext context;
    QVERIFY(context.openCustomLog(path, shippedLogFormat()));
    LogContext::publish(&context);
    QVERIFY(CLogManger::instance()->log("E", "f", "through the context", "l"));
    QVERIFY(lastLine(path).contains("through the context"));

    // Closed at shutdown: the front end must not keep the destroyed logger.
    context.closeCustomLog();
    QVERIFY(!CLogManger::instance()->log("I", "f", "after close", "l"));
    QVERIFY(!CLogManger::instance()->flush());
    LogContext::publish(nullptr);
}

QTEST_GUILESS_MAIN(tst_CLogManger)
#include "tst_CLogManger.moc"
