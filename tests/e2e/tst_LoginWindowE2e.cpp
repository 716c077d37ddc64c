// test-flags: LOG4CXX WEBENGINE LIBS Qt6::HttpServer
#include "E2eRun.h"
#include "LoopbackHttpServer.h"
#include "TestEnvironment.h"

#include <QDirIterator>
#include <QtTest>

namespace {

const QByteArray Secret = "Wr0ng-e2e-Secret";

// A user at the log-in window: a wrong password first, then the right one.
const QByteArray Script = "until LoginWindow\n"
                          "type 账号 zhangsan\n"
                          "type 密码 " + Secret + "\n"
                          "click 登录\n"
                          "wait 1500\n"
                          "check refused\n"
                          "type 密码 demo\n"
                          "click 登录\n"
                          "until MainWindow\n"
                          "check in\n"
                          "invoke slot_exitWithoutNotice\n";

} // namespace

class tst_LoginWindowE2e : public QObject
{
    Q_OBJECT
private slots:
    void typedPasswordLogsInAndIsNeverStored();

private:
    TestEnvironment m_env;
    LoopbackHttpServer m_server;
};

void tst_LoginWindowE2e::typedPasswordLogsInAndIsNeverStored()
{
    QVERIFY(m_server.isListening());
    const QString tree = m_env.runnableTree(QStringLiteral("pack"), m_server.url(QString()));
    QVERIFY(!tree.isEmpty());
    const QString ini = tree + QStringLiteral("/allurl.ini");
    QVERIFY(QFile::copy(TestEnvironment::fixtureDir() + QStringLiteral("/e2e/libe2e_driver.so"),
                        tree + QStringLiteral("/plugins/libe2e_driver.so")));
    QVERIFY(E2eRun::setPluginList(ini, E2eRun::pluginList(ini) + QStringList{QStringLiteral("libe2e_driver.so")}));

    E2eRun shell(m_env.root(), m_env.home());
    shell.environment().remove(QStringLiteral("LUMIO_DEMO_INTERVAL"));
    const E2eRun::Result run = shell.run(tree + QStringLiteral("/lumio"), {}, Script, 120000);
    const QString report = run.report.join('\n');
    QVERIFY2(run.exitedCleanly(), qPrintable(report + '\n' + QString::fromUtf8(run.output.right(3000))));
    QVERIFY2(!report.contains(QLatin1String("error")), qPrintable(report));
    QVERIFY2(run.checkpoint(QStringLiteral("refused")).contains(QLatin1String("window=0")), qPrintable(report));
    QVERIFY2(run.checkpoint(QStringLiteral("in")).contains(QLatin1String("window=1 visible=1")), qPrintable(report));

    // Neither the refused password nor the accepted one's attempt left the secret anywhere.
    QVERIFY(!run.output.contains(Secret));
    QDirIterator files(m_env.home(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString file = files.next();
        QVERIFY2(!TestEnvironment::readText(file).contains(Secret), qPrintable(file));
    }
}

QTEST_MAIN(tst_LoginWindowE2e)
#include "tst_LoginWindowE2e.moc"
