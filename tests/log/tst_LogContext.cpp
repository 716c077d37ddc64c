// test-flags: LOG4CXX
#include "LogFiles.h"
#include "log/LogConfigFile.h"
#include "log/LogContext.h"
#include "log/ShellLog.h"

#include <QDir>
#include <QtTest>

#include <clocale>

#include <log4cxx/logger.h>
#include <log4cxx/logmanager.h>

namespace {

QString logFolderOf(const TestEnvironment &env)
{
    return env.home() + "/.local/share/Lumio/TavrinIm/IMLog/";
}

} // namespace

class tst_LogContext : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();

    void nonAsciiLogFolderWithTheShippedConfiguration();
    void editedNonAsciiPathInTheConfigurationIsHonoured_data();
    void editedNonAsciiPathInTheConfigurationIsHonoured();
    void missingConfigurationIsReported();
    void publishedContextTakesTheShellsLines();
    void shutdownOrderKeepsLoggingSafe();
    void unopenableCustomLogIsKeptSilent();
};

void tst_LogContext::cleanup()
{
    LogContext::publish(nullptr);
    log4cxx::LogManager::resetConfiguration();
}

void tst_LogContext::nonAsciiLogFolderWithTheShippedConfiguration()
{
    TestEnvironment env(QStringLiteral("用户 Zoë"));
    const QString folder = logFolderOf(env);
    QString error;
    const QString cfg = LogConfigFile::prepare(TestEnvironment::binDir() + "/log.cfg", folder, &error);
    QVERIFY2(!cfg.isEmpty(), qPrintable(error));
    QVERIFY2(LogContext::configure(cfg, &error), qPrintable(error));

    LogContext context;
    QVERIFY(context.openCustomLog(folder + "CustomLog.csv", shippedLogFormat()));
    context.write(SharedLog::Level::Info, QStringLiteral("第一行 hello"), __FILE__, __LINE__, Q_FUNC_INFO);
    context.write(SharedLog::Level::Debug, QStringLiteral("调试"), nullptr, 0, nullptr);
    context.writeCustom("W", QStringLiteral("插件::函数()"), QStringLiteral("消息 \"引号\""), QStringLiteral("位置"));

    const QString debugLog = QString::fromUtf8(TestEnvironment::readText(folder + "Debug.log"));
    QVERIFY2(debugLog.contains(QStringLiteral("第一行 hello")), qPrintable(debugLog));
    QVERIFY(debugLog.contains(QStringLiteral("调试")));
    QVERIFY(debugLog.contains("tst_LogContext.cpp:"));
    const QString csv = QString::fromUtf8(TestEnvironment::readText(folder + "CustomLog.csv"));
    QVERIFY(csv.startsWith(shippedLogFormat().header() + '\n'));
    QVERIFY(csv.contains(QStringLiteral("\"W\"")));
    QVERIFY(csv.contains(QStringLiteral("\"插件::函数()\",\"\",\"\",\"消息 \"\"引号\"\"\",\"位置\"")));
    // Nothing was written under a mangled name beside them.
    QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name),
             (QStringList{"CustomLog.csv", "Debug.log", "log.cfg"}));
}

void tst_LogContext::editedNonAsciiPathInTheConfigurationIsHonoured_data()
{
    QTest::addColumn<QByteArray>("locale");
    QTest::newRow("the environment's locale") << QByteArray();
    QTest::newRow("the C locale") << QByteArray("C");
}

void tst_LogContext::editedNonAsciiPathInTheConfigurationIsHonoured()
{
    QFETCH(QByteArray, locale);
    if (!locale.isEmpty())
        QVERIFY(std::setlocale(LC_CTYPE, locale.constData()));
    TestEnvironment env;
    const QString target = env.root() + QStringLiteral("/日志 ü/其他.log");
    QVERIFY(QDir().mkpath(QFileInfo(target).absolutePath()));
    QString error;
    QVERIFY2(LogContext::configure(writeFileLogConfig(env.root(), target), &error), qPrintable(error));
    LogContext context;
    context.write(SharedLog::Level::Warn, QStringLiteral("到这里"), __FILE__, __LINE__, Q_FUNC_INFO);
    QCOMPARE(TestEnvironment::readText(target), QStringLiteral("到这里\n").toUtf8());
    QCOMPARE(QDir(QFileInfo(target).absolutePath()).entryList(QDir::Files), QStringList{QStringLiteral("其他.log")});
}

void tst_LogContext::missingConfigurationIsReported()
{
    TestEnvironment env;
    QString error;
    QVERIFY(!LogContext::configure(env.root() + "/absent.cfg", &error));
    QVERIFY(error.contains("absent.cfg"));
    QVERIFY(!LogContext::configure(env.root() + "/absent.cfg", nullptr));
}

void tst_LogContext::publishedContextTakesTheShellsLines()
{
    TestEnvironment env;
    const QString logFile = env.root() + "/Debug.log";
    QVERIFY(LogContext::configure(writeFileLogConfig(env.root(), logFile, "%p %m%n"), nullptr));
    LogContext context;
    QVERIFY(context.openCustomLog(env.root() + "/CustomLog.csv", shippedLogFormat()));
    LogContext::publish(&context);
    LOG_INFO(QStringLiteral("from the shell"));
    ShellLog::shared()->writeCustom("I", "f", "custom from the shell", "l");
    QCOMPARE(TestEnvironment::readText(logFile), QByteArray("INFO from the shell\n"));
    QVERIFY(TestEnvironment::readText(env.root() + "/CustomLog.csv").contains("custom from the shell"));

    LogContext::publish(nullptr);
    QVERIFY(!LogContext::published());
    QVERIFY(ShellLog::shared() != &context);
}

void tst_LogContext::shutdownOrderKeepsLoggingSafe()
{
    TestEnvironment env;
    const QString logFile = env.root() + "/Debug.log";
    QVERIFY(LogContext::configure(writeFileLogConfig(env.root(), logFile), nullptr));
    LogContext context;
    const QString csv = env.root() + "/CustomLog.csv";
    QVERIFY(context.openCustomLog(csv, shippedLogFormat()));
    QVERIFY(context.stream());

    context.destroyStream();
    QVERIFY(!context.stream());
    context.write(SharedLog::Level::Info, "end log.", __FILE__, __LINE__, Q_FUNC_INFO);
    QCOMPARE(TestEnvironment::readText(logFile), QByteArray("end log.\n"));

    context.closeCustomLog();
    QVERIFY(!context.customLogger());
    const QByteArray closed = TestEnvironment::readText(csv);
    context.writeCustom("I", "f", "after close", "l");
    QCOMPARE(TestEnvironment::readText(csv), closed);
    context.write(SharedLog::Level::Info, "still logging", __FILE__, __LINE__, Q_FUNC_INFO);
    QVERIFY(TestEnvironment::readText(logFile).endsWith("still logging\n"));
}

void tst_LogContext::unopenableCustomLogIsKeptSilent()
{
    LogContext context;
    TestEnvironment env;
    TestEnvironment::writeText(env.root() + "/file", "x");
    QVERIFY(!context.openCustomLog(env.root() + "/file/CustomLog.csv", shippedLogFormat()));
    QVERIFY(context.customLogger());
    QVERIFY(!context.customLogger()->isOpen());
    context.writeCustom("I", "f", "m", "l");
}

QTEST_MAIN(tst_LogContext)
#include "tst_LogContext.moc"
