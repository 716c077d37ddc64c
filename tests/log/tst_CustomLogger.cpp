#include "LogCapture.h"
#include "LogFiles.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QThread>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

// The fields of one line written as "a","b",...; empty when the line is not of that form.
QStringList csvFields(const QString &line)
{
    QStringList fields;
    int i = 0;
    while (i < line.size()) {
        if (line.at(i) != '"')
            return {};
        QString field;
        ++i;
        for (;;) {
            if (i >= line.size())
                return {};
            if (line.at(i) == '"') {
                if (i + 1 < line.size() && line.at(i + 1) == '"') {
                    field += '"';
                    i += 2;
                    continue;
                }
                ++i;
                break;
            }
            field += line.at(i++);
        }
        fields.append(field);
        if (i == line.size())
            break;
        if (line.at(i) != ',')
            return {};
        ++i;
    }
    return fields;
}

// The number in the first field, "<yyyyMMdd>-<n>".
quint64 sequenceOfLine(const QString &line)
{
    const QStringList fields = csvFields(line);
    if (fields.isEmpty())
        return 0;
    return fields.first().section('-', 1).toULongLong();
}

} // namespace

class tst_CustomLogger : public QObject
{
    Q_OBJECT
private slots:
    void firstOpenWritesHeaderAndFirstLine_data();
    void firstOpenWritesHeaderAndFirstLine();
    void headerWrittenOnceAcrossRestartsAndAgainAfterReset();
    void sequenceContinuesAfterRestart();
    void tailWindowIsTheLast3000Bytes_data();
    void tailWindowIsTheLast3000Bytes();
    void everyFreeTextFieldIsEscaped();
    void placeholdersInTextAreNotFilledAgain();
    void corruptFileOnRestart_data();
    void corruptFileOnRestart();
    void linesFromSeveralThreadsNeverInterleave();
    void unopenableFileIgnoresEveryCall();
    void closedLoggerWritesNothing();
};

void tst_CustomLogger::firstOpenWritesHeaderAndFirstLine_data()
{
    QTest::addColumn<bool>("createEmpty");
    QTest::newRow("missing file") << false;
    QTest::newRow("empty file") << true;
}

// The first line is written while open() holds the lock: this must not deadlock.
void tst_CustomLogger::firstOpenWritesHeaderAndFirstLine()
{
    QFETCH(bool, createEmpty);
    TestEnvironment env;
    const QString path = env.root() + "/CustomLog.csv";
    if (createEmpty)
        QVERIFY(TestEnvironment::writeText(path, {}));

    CustomLogger logger(path, shippedLogFormat());
    QVERIFY(logger.open());
    QVERIFY(logger.isOpen());
    QCOMPARE(logger.nextSequence(), quint64(2));

    const QStringList lines = fileLines(path);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(0), shippedLogFormat().header());
    const QStringList fields = csvFields(lines.at(1));
    QCOMPARE(fields.size(), 8);
    QCOMPARE(fields.at(0), QDate::currentDate().toString("yyyyMMdd") + "-1");
    QCOMPARE(fields.at(1), QStringLiteral("I"));
    QVERIFY(QDateTime::fromString(fields.at(2), "yyyy-MM-dd hh:mm:ss.zzz").isValid());
}

void tst_CustomLogger::headerWrittenOnceAcrossRestartsAndAgainAfterReset()
{
    TestEnvironment env;
    const QString path = env.root() + "/CustomLog.csv";
    const QString header = shippedLogFormat().header();
    for (int run = 0; run < 3; ++run) {
        CustomLogger logger(path, shippedLogFormat());
        QVERIFY(logger.open());
        logger.log("I", "f", QStringLiteral("run %1").arg(run), "here");
    }
    QCOMPARE(fileLines(path).count(header), 1);
    QCOMPARE(fileLines(path).size(), 1 + 1 + 3);

    CustomLogger logger(path, shippedLogFormat());
    QVERIFY(logger.open());
    QVERIFY(logger.reset());
    const QStringList lines = fileLines(path);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(0), header);
    QCOMPARE(sequenceOfLine(lines.at(1)), quint64(1));
}

void tst_CustomLogger::sequenceContinuesAfterRestart()
{
    TestEnvironment env;
    const QString path = env.root() + "/CustomLog.csv";
    {
        CustomLogger logger(path, shippedLogFormat());
        QVERIFY(logger.open());
        for (int i = 0; i < 3; ++i)
            logger.log("W", "f", "m", "l");
    }
    {
        CustomLogger logger(path, shippedLogFormat());
        QVERIFY(logger.open());
        QCOMPARE(logger.nextSequence(), quint64(5));
        logger.log("E", "f", "after restart", "l");
    }
    const QStringList lines = fileLines(path);
    QCOMPARE(lines.size(), 6);
    for (int i = 1; i < lines.size(); ++i)
        QCOMPARE(sequenceOfLine(lines.at(i)), quint64(i));
    QCOMPARE(csvFields(lines.last()).at(6), QStringLiteral("after restart"));
}

void tst_CustomLogger::tailWindowIsTheLast3000Bytes_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<quint64>("expected");
    // One long line whose first byte is a "-" before the number 12; a later "-5" follows.
    // Read from its start the number is 12; read from byte 1 onwards it is 5.
    QTest::newRow("2999 bytes: from the start") << 2999 << quint64(13);
    QTest::newRow("3000 bytes: from the start") << 3000 << quint64(13);
    QTest::newRow("3001 bytes: from byte 1") << 3001 << quint64(6);
}

void tst_CustomLogger::tailWindowIsTheLast3000Bytes()
{
    QFETCH(int, size);
    QFETCH(quint64, expected);
    TestEnvironment env;
    const QString path = env.root() + "/CustomLog.csv";
    QByteArray content = "-12\",\"-5\",\"";
    content += QByteArray(size - content.size() - 1, 'x');
    content += '\n';
    QCOMPARE(content.size(), size);
    QVERIFY(TestEnvironment::writeText(path, content));

    CustomLogger logger(path, shippedLogFormat());
    QVERIFY(logger.open());
    QCOMPARE(logger.nextSequence(), expected);
    QCOMPARE(TestEnvironment::readText(path), content);
}

void tst_CustomLogger::everyFreeTextFieldIsEscaped()
{
    TestEnvironment env;
    const QString path = env.root() + "/CustomLog.csv";
    {
        CustomLogger logger(path, shippedLogFormat());
        QVERIFY(logger.open());
        logger.setField6("six \"q\"\nnext");
        logger.setField7("seven\r\nwindows\rold mac");
        logger.log("I\"", "fun\nction(\"x\")", "say \"hi\"\nbye\n", "file.cpp\n(12行)");
    }
    const QByteArray raw = TestEnvironment::readText(path);
    QCOMPARE(raw.count('\n'), 3);
    QVERIFY(!raw.contains('\r'));
    QVERIFY(raw.contains("\"say \"\"hi\"\"\\nbye\\n\""));

    const QStringList fields = csvFields(lastLine(path));
    QCOMPARE(fields.size(), 8);
    QCOMPARE(fields.at(1), QStringLiteral("I\""));
    QCOMPARE(fields.at(3), QStringLiteral("fun\\nction(\"x\")"));
    QCOMPARE(fields.at(4), QStringLiteral("six \"q\"\\nnext"));
    QCOMPARE(fields.at(5), QStringLiteral("seven\\nwindows\\nold mac"));
    QCOMPARE(fields.at(6), QStringLiteral("say \"hi\"\\nbye\\n"));
    QCOMPARE(fields.at(7), QStringLiteral("file.cpp\\n(12行)"));

    // The numbering still reads back from that line.
    CustomLogger again(path, shippedLogFormat());
    QVERIFY(again.open());
    QCOMPARE(again.nextSequence(), quint64(3));
}

void tst_CustomLogger::placeholdersInTextAreNotFilledAgain()
{
    TestEnvironment env;
    const QString path = env.root() + "/CustomLog.csv";
    CustomLogger logger(path, shippedLogFormat());
    QVERIFY(logger.open());
    logger.setField6("%9");
    logger.log("I", "%1", "100%2 done, %3%", "%%8");
    const QStringList fields = csvFields(lastLine(path));
    QCOMPARE(fields.size(), 8);
    QCOMPARE(fields.at(3), QStringLiteral("%1"));
    QCOMPARE(fields.at(4), QStringLiteral("%9"));
    QCOMPARE(fields.at(6), QStringLiteral("100%2 done, %3%"));
    QCOMPARE(fields.at(7), QStringLiteral("%%8"));

    const CustomLogFormat format("<%1|%2|%10|%x|%>", {});
    QCOMPARE(format.fill({"a%2", "b"}), QStringLiteral("<a%2|b|a%20|%x|%>"));
}

void tst_CustomLogger::corruptFileOnRestart_data()
{
    QTest::addColumn<QByteArray>("old");
    QTest::addColumn<quint64>("expected");
    const QByteArray good = "\"h\"\n\"20240101-7\",\"I\",\"t\",\"f\",\"\",\"\",\"m\",\"l\"\n";
    QTest::newRow("garbage last line") << good + "garbage without the marks\n" << quint64(1);
    QTest::newRow("letters for the number") << good + "\"20240101-12a\",\"I\"\n" << quint64(1);
    QTest::newRow("empty number") << good + "\"20240101-\",\"I\"\n" << quint64(1);
    QTest::newRow("dash but no quotation mark") << good + "20240101-8\n" << quint64(1);
    QTest::newRow("number too large") << good + "\"x-99999999999999999999\"\n" << quint64(1);
    QTest::newRow("largest number") << good + "\"x-18446744073709551615\"\n" << quint64(1);
    QTest::newRow("no line break at the end") << good + "\"20240101-8\",\"I\",\"half a li" << quint64(1);
    QTest::newRow("binary bytes") << good + QByteArray("\x00\xff\xfe-\x01\"\x80\n", 8) << quint64(1);
    QTest::newRow("binary, no line break") << good + QByteArray("\x00\xff-9\"\xc3", 6) << quint64(1);
    QTest::newRow("lone line break") << QByteArray("\n") << quint64(1);
    QTest::newRow("windows line ends") << good + "\"20240101-41\",\"I\"\r\n" << quint64(42);
    QTest::newRow("sound file") << good << quint64(8);
}

void tst_CustomLogger::corruptFileOnRestart()
{
    QFETCH(QByteArray, old);
    QFETCH(quint64, expected);
    TestEnvironment env;
    const QString path = env.root() + "/CustomLog.csv";
    QVERIFY(TestEnvironment::writeText(path, old));
    {
        CustomLogger logger(path, shippedLogFormat());
        QVERIFY(logger.open());
        QCOMPARE(logger.nextSequence(), expected);
        logger.log("I", "f", "new line", "l");
    }
    const QByteArray now = TestEnvironment::readText(path);
    QVERIFY2(now.startsWith(old), "the old content must stay as it was");
    QByteArray added = now.mid(old.size());
    // An unfinished line is ended first, so the new line starts on its own.
    if (!old.endsWith('\n')) {
        QVERIFY(added.startsWith('\n'));
        added.remove(0, 1);
    }
    QCOMPARE(added.count('\n'), 1);
    QVERIFY(!added.contains(shippedLogFormat().header().toUtf8()));
    const QString line = QString::fromUtf8(added).trimmed();
    QCOMPARE(sequenceOfLine(line), expected);
    QCOMPARE(csvFields(line).value(6), QStringLiteral("new line"));

    CustomLogger again(path, shippedLogFormat());
    QVERIFY(again.open());
    QCOMPARE(again.nextSequence(), expected + 1);
}

void tst_CustomLogger::linesFromSeveralThreadsNeverInterleave()
{
    TestEnvironment env;
    const QString path = env.root() + "/CustomLog.csv";
    CustomLogger logger(path, shippedLogFormat());
    QVERIFY(logger.open());
    constexpr int Threads = 4;
    constexpr int PerThread = 250;
    std::vector<std::unique_ptr<QThread>> threads;
    for (int t = 0; t < Threads; ++t) {
        threads.emplace_back(QThread::create([&logger, t] {
            for (int i = 0; i < PerThread; ++i)
                logger.log("I", QStringLiteral("thread%1").arg(t), QStringLiteral("line %1 ").arg(i) + QString(40, 'x'), "l");
        }));
        threads.back()->start();
    }
    for (auto &thread : threads)
        QVERIFY(thread->wait(60000));

    const QStringList lines = fileLines(path);
    QCOMPARE(lines.size(), 2 + Threads * PerThread);
    for (int i = 1; i < lines.size(); ++i) {
        QCOMPARE(csvFields(lines.at(i)).size(), 8);
        QCOMPARE(sequenceOfLine(lines.at(i)), quint64(i));
    }
}

void tst_CustomLogger::unopenableFileIgnoresEveryCall()
{
    TestEnvironment env;
    QVERIFY(TestEnvironment::writeText(env.root() + "/file", "x"));
    const QString path = env.root() + "/file/CustomLog.csv";
    LogCapture capture;
    CustomLogger logger(path, shippedLogFormat());
    QVERIFY(!logger.open());
    QVERIFY(!logger.isOpen());
    QVERIFY(capture.contains("cannot open"));
    logger.log("I", "f", "m", "l");
    logger.flush();
    logger.close();
    QVERIFY(!QFile::exists(path));
    QVERIFY(!logger.reset());
}

void tst_CustomLogger::closedLoggerWritesNothing()
{
    TestEnvironment env;
    const QString path = env.root() + "/CustomLog.csv";
    CustomLogger logger(path, shippedLogFormat());
    logger.log("I", "f", "before open", "l");
    QVERIFY(!QFile::exists(path));
    QVERIFY(logger.open());
    logger.close();
    const QByteArray closed = TestEnvironment::readText(path);
    logger.log("I", "f", "after close", "l");
    logger.flush();
    QCOMPARE(TestEnvironment::readText(path), closed);
    QVERIFY(logger.open());
    logger.log("I", "f", "reopened", "l");
    QCOMPARE(sequenceOfLine(lastLine(path)), quint64(2));
}

QTEST_GUILESS_MAIN(tst_CustomLogger)
#include "tst_CustomLogger.moc"
