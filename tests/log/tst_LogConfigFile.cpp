// test-flags: LOG4CXX
#include "TestEnvironment.h"
#include "log/LogConfigFile.h"
#include "log/LogContext.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {
const QByteArray Template =
    "log4j.rootLogger=DEBUG, R\n"
    "log4j.appender.R=org.apache.log4j.FileAppender\n"
    "log4j.appender.R.File=./Debug.log\n"
    "log4j.appender.R.layout=org.apache.log4j.PatternLayout\n"
    "log4j.appender.R.layout.ConversionPattern=%m%n\n";
}

class tst_LogConfigFile : public QObject
{
    Q_OBJECT
private slots:
    void copiedOnceWithTheAppenderLineRewritten();
    void missingTemplateCreatesNothing();
    void rewriteIsTheTemplateWithEveryLineReplaced();
};

void tst_LogConfigFile::copiedOnceWithTheAppenderLineRewritten()
{
    TestEnvironment env;
    const QString templatePath = env.root() + "/app/log.cfg";
    TestEnvironment::writeText(templatePath, Template);
    const QString folder = env.home() + "/.local/share/Lumio/TavrinIm/IMLog/";

    const QString cfg = LogConfigFile::prepare(templatePath, folder, nullptr);
    QCOMPARE(cfg, QDir(folder).absoluteFilePath("log.cfg"));
    const QByteArray copied = TestEnvironment::readText(cfg);
    QVERIFY(copied.contains("log4j.appender.R.File=" + QDir(folder).absoluteFilePath("Debug.log").toUtf8() + "\n"));
    QVERIFY(!copied.contains("./Debug.log"));
    QVERIFY(copied.startsWith("log4j.rootLogger=DEBUG, R\n"));

    // The user's own edits survive later starts; the template is not copied again.
    TestEnvironment::writeText(cfg, "log4j.rootLogger=INFO, R\n");
    TestEnvironment::writeText(templatePath, Template + "# changed\n");
    QCOMPARE(LogConfigFile::prepare(templatePath, folder, nullptr), cfg);
    QCOMPARE(TestEnvironment::readText(cfg), QByteArray("log4j.rootLogger=INFO, R\n"));
}

void tst_LogConfigFile::missingTemplateCreatesNothing()
{
    TestEnvironment env;
    const QString folder = env.root() + "/IMLog/";
    QString error;
    QVERIFY(LogConfigFile::prepare(env.root() + "/absent/log.cfg", folder, &error).isEmpty());
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(folder + "log.cfg"));
}

void tst_LogConfigFile::rewriteIsTheTemplateWithEveryLineReplaced()
{
    TestEnvironment env;
    const QString templatePath = env.root() + "/app/log.cfg";
    TestEnvironment::writeText(templatePath, Template + "#log4j.appender.R.File=./Debug.log\n");
    // A backslash is an escape in a property file and must reach log4cxx as itself.
    const QString folder = env.root() + QStringLiteral("/back\\slash 日志/");
    const QString cfg = LogConfigFile::prepare(templatePath, folder, nullptr);
    QVERIFY(!cfg.isEmpty());
    const QByteArray line = "log4j.appender.R.File=" + QDir(folder).absoluteFilePath("Debug.log").toUtf8().replace("\\", "\\\\");
    QByteArray expected = Template + "#log4j.appender.R.File=./Debug.log\n";
    expected.replace("log4j.appender.R.File=./Debug.log", line);
    QCOMPARE(TestEnvironment::readText(cfg), expected);

    QVERIFY(LogContext::configure(cfg, nullptr));
    LogContext log;
    log.write(SharedLog::Level::Info, QStringLiteral("here"), __FILE__, __LINE__, "f");
    QCOMPARE(TestEnvironment::readText(LogConfigFile::debugLogPath(folder)), QByteArray("here\n"));
    QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 2);
}

QTEST_GUILESS_MAIN(tst_LogConfigFile)
#include "tst_LogConfigFile.moc"
