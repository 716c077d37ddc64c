#include "LogCapture.h"
#include "common/ChatTimeFormat.h"

#include <QtTest>

namespace {
QDateTime at(const char *text)
{
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}
}

class tst_ChatTimeFormat : public QObject
{
    Q_OBJECT
private slots:
    void chatTime_data();
    void chatTime();
    void chatDay_data();
    void chatDay();
    void unreadableTimesGiveEmptyTextAndALogLine();
};

void tst_ChatTimeFormat::chatTime_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("expected");

    QTest::newRow("a minute before midnight, seen just after") << "2024-05-09 23:59:00" << at("2024-05-10 00:00:30") << "昨天 23:59";
    QTest::newRow("just after midnight, seen at once") << "2024-05-10 00:00:01" << at("2024-05-10 00:00:30") << "00:00";
    QTest::newRow("yesterday morning") << "2024-05-09 08:05:00" << at("2024-05-10 18:00:00") << "昨天 08:05";
    QTest::newRow("two days, across midnight") << "2024-05-08 23:59:59" << at("2024-05-10 00:00:00") << "前天 23:59";
    QTest::newRow("three days ago") << "2024-05-07 12:30:00" << at("2024-05-10 00:00:00") << "05-07 12:30";
    QTest::newRow("last day of last year, seen on new year") << "2023-12-31 23:59:00" << at("2024-01-01 00:00:10") << "2023-12-31 23:59";
    QTest::newRow("new year's message, seen on 2 January") << "2024-01-01 00:00:00" << at("2024-01-02 09:00:00") << "昨天 00:00";
    QTest::newRow("a clock ahead of ours") << "2024-05-11 09:00:00" << at("2024-05-10 09:00:00") << "05-11 09:00";
    QTest::newRow("a time with milliseconds") << "2024-05-10 07:15:00.250" << at("2024-05-10 09:00:00") << "07:15";
}

void tst_ChatTimeFormat::chatTime()
{
    QFETCH(QString, message);
    QFETCH(QDateTime, now);
    QFETCH(QString, expected);
    QCOMPARE(ChatTimeFormat::formatChatTime(message, now), expected);
}

void tst_ChatTimeFormat::chatDay_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("dayMs");

    QTest::newRow("today") << "2024-05-10 00:00:00.000" << at("2024-05-10 23:59:59") << "00:00" << "00:00";
    QTest::newRow("yesterday, just before midnight") << "2024-05-09 23:59:59.999" << at("2024-05-10 00:00:00") << "昨天" << "昨天";
    QTest::newRow("two days") << "2024-05-08 10:00:00.000" << at("2024-05-10 00:00:00") << "2024-05-08" << "24-05-08";
    QTest::newRow("later today or tomorrow") << "2024-05-11 10:00:00.000" << at("2024-05-10 00:00:00") << "10:00" << "10:00";
    QTest::newRow("year change") << "2023-12-31 23:59:59.000" << at("2024-01-01 00:00:00") << "2023-12-31" << "23-12-31";
}

void tst_ChatTimeFormat::chatDay()
{
    QFETCH(QString, message);
    QFETCH(QDateTime, now);
    QFETCH(QString, day);
    QFETCH(QString, dayMs);
    QCOMPARE(ChatTimeFormat::formatChatDay(message.left(19), now), day);
    QCOMPARE(ChatTimeFormat::formatChatDayMs(message, now), dayMs);
}

void tst_ChatTimeFormat::unreadableTimesGiveEmptyTextAndALogLine()
{
    LogCapture log;
    const QDateTime now = at("2024-05-10 12:00:00");
    for (const QString &bad : {QString(), QStringLiteral("yesterday"), QStringLiteral("2024-13-01 00:00:00"),
                               QStringLiteral("2024-05-10T08:00:00")}) {
        QCOMPARE(ChatTimeFormat::formatChatTime(bad, now), QString());
        QCOMPARE(ChatTimeFormat::formatChatDay(bad, now), QString());
    }
    QVERIFY(log.contains(QStringLiteral("not a message time: \"yesterday\"")));
}

QTEST_GUILESS_MAIN(tst_ChatTimeFormat)
#include "tst_ChatTimeFormat.moc"
