// test-flags: LOG4CXX
#include "TestEnvironment.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <csignal>

namespace {

const char *const Banners[] = {
    "==========BEGIN========",
    "==========快捷方式打开参数读取结束========",
    "==========程序初始化开始========",
    "==========生成配置文件IMInfo.ini开始========",
    "==========生成配置文件IMInfo.ini结束========",
    "==========SystemSetData::initCommonData开始========",
    "==========SystemSetData::initCommonData结束========",
    "==========PluginManager实例化结束========",
    "==========程序初始化结束========",
    "===========加载插件开始=========",
    "============加载插件结束========",
    "==========main 展示登录窗开始========",
    "==========main 展示登录窗结束========",
};

struct Run
{
    int exitCode = -1;
    QProcess::ExitStatus status = QProcess::CrashExit;
    QString output;
};

// Starts the shell, waits for the log-in window, then ends it the way a
// session manager would.
Run startAndTerminate(const QString &home, const QStringList &arguments, int signalNumber = SIGTERM)
{
    QProcess shell;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home);
    environment.remove("XDG_DATA_HOME");
    environment.remove("XDG_CONFIG_HOME");
    environment.insert("LUMIO_STARTUP_PHASES", home + "/phases.txt");
    shell.setProcessEnvironment(environment);
    shell.setProcessChannelMode(QProcess::MergedChannels);
    shell.start(TestEnvironment::binDir() + "/lumio", arguments);
    Run run;
    if (!shell.waitForStarted(10000))
        return run;
    QByteArray output;
    QElapsedTimer timer;
    timer.start();
    while (!output.contains("==========main 展示登录窗结束========") && timer.elapsed() < 60000) {
        shell.waitForReadyRead(500);
        output += shell.readAll();
    }
    ::kill(pid_t(shell.processId()), signalNumber);
    shell.waitForFinished(30000);
    output += shell.readAll();
    run.exitCode = shell.exitCode();
    run.status = shell.exitStatus();
    run.output = QString::fromUtf8(output);
    return run;
}

QString logFolder(const QString &home)
{
    return home + "/.local/share/Lumio/TavrinIm/IMLog/";
}

} // namespace

class tst_Startup : public QObject
{
    Q_OBJECT
private slots:
    void startsShowsLoginAndQuitsOnSignal_data();
    void startsShowsLoginAndQuitsOnSignal();
    void secondStartKeepsTheUsersFiles();
};

void tst_Startup::startsShowsLoginAndQuitsOnSignal_data()
{
    QTest::addColumn<QString>("homeName");
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("ascii, SIGTERM") << "home" << int(SIGTERM);
    QTest::newRow("non-ascii, SIGINT") << QStringLiteral("家 Zoë") << int(SIGINT);
}

void tst_Startup::startsShowsLoginAndQuitsOnSignal()
{
    QFETCH(QString, homeName);
    QFETCH(int, signalNumber);
    TestEnvironment env(homeName);
    const Run run = startAndTerminate(env.home(), {"/uin:12345", "/quicklunch:1"}, signalNumber);
    QCOMPARE(run.status, QProcess::NormalExit);
    QCOMPARE(run.exitCode, 0);

    int at = 0;
    for (const char *banner : Banners) {
        const int found = run.output.indexOf(QString::fromUtf8(banner), at);
        QVERIFY2(found >= 0, banner);
        at = found;
    }
    QVERIFY(QRegularExpression(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} ==========BEGIN========)")
                .match(run.output).hasMatch());
    QVERIFY(run.output.contains("[Info] 加载"));
    QVERIFY(run.output.contains("login window shown"));

    QVERIFY(QFile::exists(env.home() + "/Documents/TavrinIm/IMInfo.ini"));
    const QString debugLog = QString::fromUtf8(TestEnvironment::readText(logFolder(env.home()) + "Debug.log"));
    const QString stars(76, '*');
    const QString equals(76, '=');
    QVERIFY(debugLog.contains(equals));
    const int begin = debugLog.indexOf("begin start log.");
    const int login = debugLog.indexOf("login window requested, uin=12345 quicklunch=1");
    const int end = debugLog.indexOf("end log.");
    QVERIFY(begin >= 0 && login > begin && end > login);
    const int summary = debugLog.indexOf("calls with nothing installed: ");
    QVERIFY(summary > login && summary < end);
    QVERIFY(debugLog.indexOf(stars) > login);
    QVERIFY(debugLog.lastIndexOf(stars, end) > login && debugLog.indexOf(stars, end) > end);

    const QString customLog = QString::fromUtf8(TestEnvironment::readText(logFolder(env.home()) + "CustomLog.csv"));
    QVERIFY2(customLog.contains(QStringLiteral("\"第一条日志\"")), qPrintable(customLog));

    QVERIFY(debugLog.contains("plug-in libloginmanager.so: loaded"));
    QVERIFY2(!debugLog.contains("Qt translation qt_zh_CN not found"), "qt6-translations-l10n missing?");
    const QString phases = QString::fromUtf8(TestEnvironment::readText(env.home() + "/phases.txt"));
    QStringList names;
    for (const QString &line : phases.split('\n', Qt::SkipEmptyParts))
        names.append(line.section(' ', 0, -2));
    QCOMPARE(names, (QStringList{"application object", "signal and crash handlers", "translator", "fonts", "settings", "style sheet", "logging set-up",
                                 "plug-in loading", "first window", "event loop", "shutdown"}));
}

void tst_Startup::secondStartKeepsTheUsersFiles()
{
    TestEnvironment env;
    const QString imInfo = env.home() + "/Documents/TavrinIm/IMInfo.ini";
    const QByteArray mine = "[msgSetting]\nSaveToMyChosen=1\n";
    TestEnvironment::writeText(imInfo, mine);
    const QString cfg = logFolder(env.home()) + "log.cfg";

    QCOMPARE(startAndTerminate(env.home(), {}).exitCode, 0);
    const QByteArray firstCfg = TestEnvironment::readText(cfg);
    QVERIFY(firstCfg.contains(("log4j.appender.R.File=" + logFolder(env.home()) + "Debug.log").toUtf8()));
    QCOMPARE(TestEnvironment::readText(imInfo), mine);

    TestEnvironment::writeText(cfg, firstCfg + "# the user's edit\n");
    QCOMPARE(startAndTerminate(env.home(), {"/uin:1", "/quicklunch:2", "extra"}).exitCode, 0);
    QCOMPARE(TestEnvironment::readText(cfg), firstCfg + "# the user's edit\n");
    QCOMPARE(TestEnvironment::readText(imInfo), mine);
    const QByteArray debugLog = TestEnvironment::readText(logFolder(env.home()) + "Debug.log");
    QVERIFY(debugLog.contains("uin= quicklunch="));
    QCOMPARE(debugLog.count("begin start log."), 2);
    // The second start continues the custom log instead of starting it over.
    const QByteArray customLog = TestEnvironment::readText(logFolder(env.home()) + "CustomLog.csv");
    QCOMPARE(customLog.count(QStringLiteral("第一条日志").toUtf8()), 1);
    QCOMPARE(customLog.count('\n'), 2);
}

QTEST_GUILESS_MAIN(tst_Startup)
#include "tst_Startup.moc"
