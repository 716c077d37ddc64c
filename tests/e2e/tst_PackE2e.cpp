// test-flags: LOG4CXX WEBENGINE LIBS Qt6::HttpServer Qt6::Sql
#include "E2eRun.h"
#include "LoopbackHttpServer.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

namespace {

// The simulator's first two colleagues take turns, so five messages are three and two.
const QByteArray Script = "mainwindow shown shown\n"
                          "invoke slot_mini\n"
                          "mainwindow minimised minimised\n"
                          "demo 模拟消息 5\n"
                          "unread unread 5\n"
                          "invoke slot_showMsgBox\n"
                          "msgbox two 2\n"
                          "boxpage page 3\n"
                          "msgbox-open\n"
                          "window chat ChatWindow\n"
                          "msgbox one 1\n"
                          "boxpage nextpage 2\n"
                          "msgbox-close\n"
                          "demo 文件 1\n"
                          "smallbox-count file 3\n"
                          "unread withfile 3\n"
                          "invoke slot_pAct2\n"
                          "own away 2\n"
                          "invoke slot_exit\n";

QString logFolder(const QString &home)
{
    return home + QStringLiteral("/.local/share/Lumio/TavrinIm/IMLog/");
}

} // namespace

class tst_PackE2e : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void packLogsInChatsAndQuits();
    void withoutLoginPluginStartsAndEndsOnSigterm();

private:
    TestEnvironment m_env;
    LoopbackHttpServer m_server;
};

void tst_PackE2e::initTestCase()
{
    QVERIFY(m_server.isListening());
}

void tst_PackE2e::packLogsInChatsAndQuits()
{
    const QString tree = m_env.runnableTree(QStringLiteral("pack"), m_server.url(QString()));
    QVERIFY(!tree.isEmpty());
    const QString ini = tree + QStringLiteral("/allurl.ini");
    const QStringList shipped = E2eRun::pluginList(ini);
    QVERIFY2(shipped.contains(QLatin1String("libloginmanager.so")), qPrintable(shipped.join(',')));
    QVERIFY(QFile::copy(TestEnvironment::fixtureDir() + QStringLiteral("/e2e/libe2e_driver.so"),
                        tree + QStringLiteral("/plugins/libe2e_driver.so")));
    QVERIFY(E2eRun::setPluginList(ini, shipped + QStringList{QStringLiteral("libe2e_driver.so")}));

    E2eRun shell(m_env.root(), m_env.home());
    // Colleagues act only when the script asks them to.
    shell.environment().remove(QStringLiteral("LUMIO_DEMO_INTERVAL"));
    shell.environment().remove(QStringLiteral("LUMIO_BACKEND"));
    const E2eRun::Result run = shell.run(tree + QStringLiteral("/lumio"),
                                         {QStringLiteral("/uin:zhangsan"), QStringLiteral("/quicklunch:1")}, Script,
                                         120000);
    const QString report = run.report.join('\n');
    QVERIFY2(run.exitedCleanly(), qPrintable(report + '\n' + QString::fromUtf8(run.output.right(3000))));
    QVERIFY2(!report.contains(QLatin1String("error")) && !report.contains(QLatin1String("timeout")), qPrintable(report));
    QVERIFY2(run.checkpoint(QStringLiteral("shown")).endsWith(QLatin1String("visible=1 minimised=0 contacts=5")),
             qPrintable(report));
    QVERIFY2(run.checkpoint(QStringLiteral("unread"))
                 .endsWith(QLatin1String("senders=lisi@lumio.test:0/0/0,wangwu@lumio.test:0/0")),
             qPrintable(report));
    // The box opens on the first sender: its chat shows, and the other sender stays.
    QVERIFY2(run.checkpoint(QStringLiteral("chat")).contains(QStringLiteral("shown=1 titles=李四")),
             qPrintable(report));
    QVERIFY2(run.checkpoint(QStringLiteral("one")).endsWith(QLatin1String("rows=wangwu@lumio.test")), qPrintable(report));
    // The next offer comes from the sender still unread: its row counts the file.
    QVERIFY2(run.checkpoint(QStringLiteral("file")).endsWith(QLatin1String("rows=wangwu@lumio.test(3)")),
             qPrintable(report));
    QVERIFY2(run.checkpoint(QStringLiteral("withfile")).endsWith(QLatin1String("wangwu@lumio.test:0/0/18")),
             qPrintable(report));
    QVERIFY2(run.checkpoint(QStringLiteral("away")).endsWith(QLatin1String("presence=2")), qPrintable(report));

    const QString account = m_env.home() + QStringLiteral("/Documents/TavrinImFiles/zhangsan/");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("e2e"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        db.setDatabaseName(account + QStringLiteral("data.db"));
        QVERIFY(db.open());
        QSqlQuery rows(db);
        QVERIFY(rows.exec(QStringLiteral("SELECT count(*), sum(message_type = 18), sum(readed) FROM msgrecord")));
        QVERIFY(rows.next());
        // Five messages and the file offer; only the opened sender's three are read.
        QCOMPARE(rows.value(0).toInt(), 6);
        QCOMPARE(rows.value(1).toInt(), 1);
        QCOMPARE(rows.value(2).toInt(), 3);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("e2e"));

    const QSettings config(account + QStringLiteral("config.ini"), QSettings::IniFormat);
    for (const char *key : {"Rect/height", "Rect/width", "Rect/pointx", "Rect/pointy", "Rect/stayType"})
        QVERIFY2(config.contains(QLatin1String(key)), key);
    const QString logs = logFolder(m_env.home());
    QVERIFY(QFileInfo(logs + QStringLiteral("Debug.log")).size() > 0);
    QVERIFY(QFileInfo(logs + QStringLiteral("CustomLog.csv")).size() > 0);
    const QByteArray log = TestEnvironment::readText(logs + QStringLiteral("Debug.log"));
    QVERIFY(log.contains("data.db opened by the log-in plug-in"));
    QVERIFY(!log.contains("data.db opened by the shell"));
    // Nothing tried a host outside the loopback server.
    QVERIFY(!log.contains("example.invalid") && !run.output.contains("example.invalid"));
    // The exit's monitoring flush reached the loopback server.
    QVERIFY2(m_server.paths().contains(QStringLiteral("/perfSDK.gif")), qPrintable(m_server.paths().join(',')));
    QVERIFY(run.output.contains("监控日志上传成功"));
}

void tst_PackE2e::withoutLoginPluginStartsAndEndsOnSigterm()
{
    const QString tree = m_env.runnableTree(QStringLiteral("bare"), m_server.url(QString()));
    QVERIFY(!tree.isEmpty());
    QDir plugins(tree + QStringLiteral("/plugins"));
    for (const QString &library : plugins.entryList({QStringLiteral("*.so")}, QDir::Files))
        QVERIFY(plugins.remove(library));
    QVERIFY(E2eRun::setPluginList(tree + QStringLiteral("/allurl.ini"), {QStringLiteral("libloginmanager.so")}));

    const QString home = m_env.root() + QStringLiteral("/bare-home");
    const QString debugLog = logFolder(home) + QStringLiteral("Debug.log");
    E2eRun shell(m_env.root(), home);
    shell.terminateWhen([debugLog] {
        return TestEnvironment::readText(debugLog).contains("login plug-in not loaded; no login window");
    });
    const E2eRun::Result run = shell.run(tree + QStringLiteral("/lumio"), {}, {}, 60000);
    QVERIFY2(run.exitedCleanly(), run.output.right(3000).constData());
    QVERIFY(TestEnvironment::readText(debugLog).contains("login plug-in not loaded; no login window"));
}

QTEST_MAIN(tst_PackE2e)
#include "tst_PackE2e.moc"
