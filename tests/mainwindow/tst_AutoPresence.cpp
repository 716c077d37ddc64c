#include "mainwindow/AutoPresence.h"

#include <QtTest>

using Step = AutoPresence::Step;
using Action = AutoPresence::Action;

Q_DECLARE_METATYPE(QList<AutoPresence::Step>)

namespace {

QList<Step> tell(int code)
{
    return {{Action::TellPresence, code}};
}

AutoPresence::Inputs idle(int seconds, int presence = 1, bool fullScreen = false)
{
    AutoPresence::Inputs in;
    in.idleSeconds = seconds;
    in.ownPresence = presence;
    in.fullScreenInFront = fullScreen;
    return in;
}

const AutoPresence::Settings FiveMinutes{QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("0")};

} // namespace

class tst_AutoPresence : public QObject
{
    Q_OBJECT
private slots:
    void awayExactlyAtTheSetMinutes();
    void unusableMinutesNeverSendAway_data();
    void unusableMinutesNeverSendAway();
    void twoMinuteMarkAndReturn();
    void busyFollowsFullScreen();
    void hiddenMobileLoginCountsAsSeven();
};

void tst_AutoPresence::awayExactlyAtTheSetMinutes()
{
    AutoPresence p;
    p.tick(idle(130), FiveMinutes); // mark set on the way
    QVERIFY(p.tick(idle(299), FiveMinutes).isEmpty());
    QCOMPARE(p.tick(idle(300), FiveMinutes),
             (QList<Step>{{Action::GoAway}, {Action::TellPresence, 3}}));
    QVERIFY(p.awaySetAutomatically());
    // The own-account record may lag a second behind: no second switch.
    QVERIFY(p.tick(idle(301), FiveMinutes).isEmpty());
    // Input again: back online once, nothing more.
    QCOMPARE(p.tick(idle(0, 2), FiveMinutes), QList<Step>{{Action::GoOnline}});
    QVERIFY(p.tick(idle(0, 1), FiveMinutes).isEmpty());
    // Unknown idle time (no way to ask the desktop): nothing automatic at all.
    QVERIFY(p.tick(idle(-1), FiveMinutes).isEmpty());
}

void tst_AutoPresence::unusableMinutesNeverSendAway_data()
{
    QTest::addColumn<QString>("minutes");
    QTest::newRow("empty") << QString();
    QTest::newRow("zero") << QStringLiteral("0");
    QTest::newRow("garbled") << QStringLiteral("abc");
    QTest::newRow("negative") << QStringLiteral("-3");
}

void tst_AutoPresence::unusableMinutesNeverSendAway()
{
    QFETCH(QString, minutes);
    AutoPresence p;
    const AutoPresence::Settings settings{QStringLiteral("1"), minutes, QStringLiteral("0")};
    QVERIFY(p.tick(idle(1), settings).isEmpty());
    QCOMPARE(p.tick(idle(100000), settings), tell(3));
    QVERIFY(!p.awaySetAutomatically());
}

void tst_AutoPresence::twoMinuteMarkAndReturn()
{
    AutoPresence p;
    const AutoPresence::Settings off{QStringLiteral("0"), QStringLiteral("5"), QStringLiteral("0")};
    QVERIFY(p.tick(idle(119), off).isEmpty());
    QCOMPARE(p.tick(idle(120), off), tell(3));
    QVERIFY(p.tick(idle(121), off).isEmpty());
    // Back at the keyboard: the plug-in hears the real presence again.
    QCOMPARE(p.tick(idle(0, 4), off), tell(4));
    QVERIFY(!p.idleMarkSet());
}

void tst_AutoPresence::busyFollowsFullScreen()
{
    AutoPresence p;
    const AutoPresence::Settings busy{QStringLiteral("0"), QString(), QStringLiteral("1")};
    QCOMPARE(p.tick(idle(0, 1, true), busy), QList<Step>{{Action::GoBusy}});
    QVERIFY(p.tick(idle(0, 4, true), busy).isEmpty());
    QCOMPARE(p.tick(idle(0, 4, false), busy), QList<Step>{{Action::GoOnline}});
    QVERIFY(p.tick(idle(0, 1, false), busy).isEmpty());
    // A user who chose away is left alone by the full-screen switch.
    QVERIFY(p.tick(idle(0, 2, true), busy).isEmpty());
    const AutoPresence::Settings noBusy{QStringLiteral("0"), QString(), QStringLiteral("0")};
    QVERIFY(p.tick(idle(0, 1, true), noBusy).isEmpty());
}

void tst_AutoPresence::hiddenMobileLoginCountsAsSeven()
{
    QCOMPARE(AutoPresence::effectivePresence(5, 1), 7);
    QCOMPARE(AutoPresence::effectivePresence(0, 1), 7);
    QCOMPARE(AutoPresence::effectivePresence(5, 0), 5);
    AutoPresence p;
    AutoPresence::Inputs in = idle(300, 0);
    in.ownPresenceDetail = 1;
    QCOMPARE(p.tick(in, FiveMinutes), tell(3));
    QVERIFY(!p.awaySetAutomatically());
}

QTEST_MAIN(tst_AutoPresence)
#include "tst_AutoPresence.moc"
