#include "LogCapture.h"
#include "common/PresenceText.h"

#include <QtTest>

namespace {
const QString Offline = QStringLiteral("Resources/images/status/ic_web_offline_light.png");
const QString Pc = QStringLiteral("Resources/images/status/ic_web_pc_light.png");
const QString Away = QStringLiteral("Resources/images/status/ic_web_away_light.png");
const QString Busy = QStringLiteral("Resources/images/status/ic_web_busy_light.png");
const QString Android = QStringLiteral("Resources/images/status/ic_web_android_light.png");
const QString Apple = QStringLiteral("Resources/images/status/ic_web_apple_light.png");
}

class tst_PresenceText : public QObject
{
    Q_OBJECT
private slots:
    void wholeTable_data();
    void wholeTable();
    void labelsAreParenthesised();
    void missingIconFilesAreLeftOutAndLogged();
};

void tst_PresenceText::wholeTable_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("device");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("invisibleLabel");
    QTest::addColumn<QStringList>("icons");

    // Every status code with every device kind, plus codes outside the table.
    const QList<int> devices{0, 1, 2, 3, 9, -1};
    for (int device : devices) {
        QTest::addRow("offline/%d", device) << 0 << device << "离线" << "离线" << QStringList{Offline};
        QTest::addRow("invisible/%d", device) << 5 << device << "离线" << "隐身" << QStringList{Offline};
        for (int online : {3, 6, 8, 100})
            QTest::addRow("online %d/%d", online, device) << online << device << "在线" << "在线" << QStringList{Pc};
        QTest::addRow("negative/%d", device) << -1 << device << "离线" << "离线" << QStringList{Offline};
    }

    const struct { int status; const char *label; QString icon; } pc[] = {
        {1, "在线", Pc}, {2, "离开", Away}, {4, "忙碌", Busy}};
    for (const auto &row : pc) {
        QTest::addRow("pc %d/none", row.status) << row.status << 0 << row.label << row.label << QStringList{row.icon};
        QTest::addRow("pc %d/android", row.status) << row.status << 1 << "PC、安卓在线" << "PC、安卓在线" << QStringList{Pc, Android};
        QTest::addRow("pc %d/apple", row.status) << row.status << 2 << "PC、苹果在线" << "PC、苹果在线" << QStringList{Pc, Apple};
        for (int other : {3, 9, -1})
            QTest::addRow("pc %d/other %d", row.status, other) << row.status << other << "PC、手机在线" << "PC、手机在线" << QStringList{Pc};
    }

    QTest::newRow("mobile/android") << 7 << 1 << "安卓在线" << "安卓在线" << QStringList{Android};
    QTest::newRow("mobile/apple") << 7 << 2 << "苹果在线" << "苹果在线" << QStringList{Apple};
    for (int other : {0, 3, 9, -1})
        QTest::addRow("mobile/other %d", other) << 7 << other << "手机在线" << "手机在线" << QStringList{Pc};
}

void tst_PresenceText::wholeTable()
{
    QFETCH(int, status);
    QFETCH(int, device);
    QFETCH(QString, label);
    QFETCH(QString, invisibleLabel);
    QFETCH(QStringList, icons);
    QCOMPARE(PresenceText::presenceLabel(status, device, false), label);
    QCOMPARE(PresenceText::presenceLabel(status, device, true), invisibleLabel);
    QCOMPARE(PresenceText::presenceIconPaths(status, device), icons);
}

void tst_PresenceText::labelsAreParenthesised()
{
    QCOMPARE(PresenceText::presenceText(1, 1, false), QStringLiteral("(PC、安卓在线)"));
    QCOMPARE(PresenceText::presenceText(5, 0, true), QStringLiteral("(隐身)"));
}

void tst_PresenceText::missingIconFilesAreLeftOutAndLogged()
{
    // The test binary's folder has no Resources: nothing to load, each miss logged.
    LogCapture log;
    QVERIFY(PresenceText::presenceIcons(1, 2).isEmpty());
    QVERIFY(log.contains(QStringLiteral("ic_web_pc_light.png")));
    QVERIFY(log.contains(QStringLiteral("ic_web_apple_light.png")));
}

QTEST_MAIN(tst_PresenceText)
#include "tst_PresenceText.moc"
