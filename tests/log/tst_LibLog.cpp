// test-flags: LOG4CXX
#include "LogFiles.h"
#include "log/LibLog.h"
#include "log/LogContext.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QThread>
#include <QtTest>

#include <log4cxx/logmanager.h>

#include <memory>
#include <vector>

namespace {

std::string formatted(const char *format, ...) LIBLOG_PRINTF(1, 2);
std::string formatted(const char *format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    std::string text = LibLog::format(format, arguments);
    va_end(arguments);
    return text;
}

bool isUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    return !decoder.hasError();
}

} // namespace

class tst_LibLog : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void formatIsBoundedAndKeepsCharactersWhole_data();
    void formatIsBoundedAndKeepsCharactersWhole();
    void longPrintfMessageIsCutInTheLog();
    void levelsLocationAndTheTwoPartLine();
    void levelsBelowTheRootAreDropped();
    void linesFromSeveralThreadsStayWhole();

private:

    std::unique_ptr<TestEnvironment> m_env;
    QString m_logFile;
};

void tst_LibLog::init()
{
    m_env = std::make_unique<TestEnvironment>();
    m_logFile = m_env->root() + "/Debug.log";
}

void tst_LibLog::cleanup()
{
    log4cxx::LogManager::resetConfiguration();
    m_env.reset();
}

namespace {

bool configureTo(const QString &logFile, const char *rootLevel)
{
    QString error;
    const bool ok = LogContext::configure(
        writeFileLogConfig(QFileInfo(logFile).absolutePath(), logFile, "%p|%f:%L|%m%n", rootLevel), &error);
    if (!ok)
        qWarning() << error;
    return ok;
}

} // namespace

void tst_LibLog::formatIsBoundedAndKeepsCharactersWhole_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray han = QStringLiteral("中").toUtf8();
    QTest::newRow("short") << QByteArray("hello") << QByteArray("hello");
    QTest::newRow("1023 bytes kept whole") << QByteArray(1023, 'a') << QByteArray(1023, 'a');
    QTest::newRow("1024 bytes cut to 1023") << QByteArray(1024, 'a') << QByteArray(1023, 'a');
    QTest::newRow("2 KB cut to 1023") << QByteArray(2048, 'b') << QByteArray(2048, 'b').left(1023);
    // Three-byte characters after a prefix of one, two or three bytes: 340 of them fit.
    QTest::newRow("cut two bytes early") << "a" + han.repeated(700) << "a" + han.repeated(340);
    QTest::newRow("cut one byte early") << "ab" + han.repeated(700) << "ab" + han.repeated(340);
    QTest::newRow("character ending at the limit") << "abc" + han.repeated(700) << "abc" + han.repeated(340);
}

void tst_LibLog::formatIsBoundedAndKeepsCharactersWhole()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, expected);
    const std::string result = formatted("%s", text.constData());
    QCOMPARE(QByteArray::fromStdString(result), expected);
    QVERIFY(result.size() < size_t(LibLog::BufferSize));
    QVERIFY(isUtf8(QByteArray::fromStdString(result)));
    QCOMPARE(formatted("%d-%s-%.2f", 42, "x", 1.5), std::string("42-x-1.50"));
}

void tst_LibLog::longPrintfMessageIsCutInTheLog()
{
    QVERIFY(configureTo(m_logFile, "DEBUG"));
    LibLog log(nullptr);
    const QByteArray big(2048, 'z');
    log.info(LOG4CXX_LOCATION, "%s|%d", big.constData(), 7);
    log(" %s ", big.constData());
    const QStringList lines = fileLines(m_logFile);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(0).section('|', 2), QString(1023, 'z'));
    QVERIFY(lines.at(1).section('|', 2).startsWith(" zzz"));
    QCOMPARE(lines.at(1).section('|', 2).size(), 1023);
}

void tst_LibLog::levelsLocationAndTheTwoPartLine()
{
    QVERIFY(configureTo(m_logFile, "TRACE"));
    LibLog log(nullptr);
    const int line = __LINE__ + 1;
    log.trace(LOG4CXX_LOCATION, "t%d", 1);
    log.debug(LOG4CXX_LOCATION, "d%d", 2);
    log.warn(LOG4CXX_LOCATION, "w%d", 3);
    log.error(LOG4CXX_LOCATION, "e%d", 4);
    log.fatal(LOG4CXX_LOCATION, "f%d", 5);
    log.log(log4cxx::Level::getInfo(), LOG4CXX_LOCATION, "i%d", 6);
    log.write(log4cxx::Level::getInfo(), "uin=", QStringLiteral("用户 Zoë"), LOG4CXX_LOCATION);
    log.write(log4cxx::Level::getInfo(), nullptr, LOG4CXX_LOCATION);
    log("root level %s", "line");

    const QStringList lines = fileLines(m_logFile);
    QCOMPARE(lines.size(), 9);
    QCOMPARE(lines.at(0), QStringLiteral("TRACE|tst_LibLog.cpp:%1|t1").arg(line));
    QCOMPARE(lines.at(1), QStringLiteral("DEBUG|tst_LibLog.cpp:%1|d2").arg(line + 1));
    QCOMPARE(lines.at(2).section('|', 0, 0) + lines.at(2).section('|', 2), QStringLiteral("WARNw3"));
    QCOMPARE(lines.at(3).section('|', 0, 0) + lines.at(3).section('|', 2), QStringLiteral("ERRORe4"));
    QCOMPARE(lines.at(4).section('|', 0, 0) + lines.at(4).section('|', 2), QStringLiteral("FATALf5"));
    QCOMPARE(lines.at(5).section('|', 2), QStringLiteral("i6"));
    QCOMPARE(lines.at(6).section('|', 2), QStringLiteral("uin=用户 Zoë"));
    QCOMPARE(lines.at(7).section('|', 2), QString());
    QCOMPARE(lines.at(8).section('|', 0, 0), QStringLiteral("TRACE"));
    QVERIFY(lines.at(8).section('|', 1, 1).startsWith("LibLog.cpp:"));
    QVERIFY(lines.at(8).endsWith("|root level line"));
}

void tst_LibLog::levelsBelowTheRootAreDropped()
{
    QVERIFY(configureTo(m_logFile, "INFO"));
    LogContext context;
    LibLog log(&context);
    QCOMPARE(log.logger(), context.logger());
    QCOMPARE(log.rootLogger(), context.rootLogger());
    log.debug(LOG4CXX_LOCATION, "%s", "dropped");
    log.trace(LOG4CXX_LOCATION, "%s", "dropped");
    log.info(LOG4CXX_LOCATION, "%s", "kept");
    QCOMPARE(fileLines(m_logFile), QStringList{QStringLiteral("INFO|tst_LibLog.cpp:%1|kept").arg(__LINE__ - 1)});
}

void tst_LibLog::linesFromSeveralThreadsStayWhole()
{
    QVERIFY(configureTo(m_logFile, "DEBUG"));
    LibLog log(nullptr);
    constexpr int Threads = 4;
    constexpr int PerThread = 200;
    std::vector<std::unique_ptr<QThread>> threads;
    for (int t = 0; t < Threads; ++t) {
        threads.emplace_back(QThread::create([&log, t] {
            const QByteArray pad(60, char('a' + t));
            for (int i = 0; i < PerThread; ++i) {
                if (i % 2)
                    log.info(LOG4CXX_LOCATION, "t%d n%d %s", t, i, pad.constData());
                else
                    log.write(log4cxx::Level::getInfo(), QByteArray("t" + QByteArray::number(t) + " n"
                                                                    + QByteArray::number(i) + " ").constData(),
                              QString::fromLatin1(pad), LOG4CXX_LOCATION);
            }
        }));
        threads.back()->start();
    }
    for (auto &thread : threads)
        QVERIFY(thread->wait(60000));

    const QStringList lines = fileLines(m_logFile);
    QCOMPARE(lines.size(), Threads * PerThread);
    const QRegularExpression whole(R"(^INFO\|tst_LibLog\.cpp:\d+\|t(\d) n\d+ ([a-d])\2{59}$)");
    for (const QString &line : lines) {
        const QRegularExpressionMatch match = whole.match(line);
        QVERIFY2(match.hasMatch(), qPrintable(line));
        QCOMPARE(match.captured(2).at(0).toLatin1(), char('a' + match.captured(1).toInt()));
    }
}

QTEST_GUILESS_MAIN(tst_LibLog)
#include "tst_LibLog.moc"
