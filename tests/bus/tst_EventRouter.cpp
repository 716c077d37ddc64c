#include "LogCapture.h"
#include "TestEnvironment.h"
#include "bus/EventRouter.h"
#include "bus/PluginManager.h"

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/Commands.h>
#include <lumio/PluginInterface.h>

#include <QtTest>

namespace {

const QString Alpha = QStringLiteral("{AAAAAAAA-0000-0000-0000-000000000001}");
const QString Bravo = QStringLiteral("{BBBBBBBB-0000-0000-0000-000000000002}");
const QString Charlie = QStringLiteral("{CCCCCCCC-0000-0000-0000-000000000003}");

struct Counted
{
    static int destroyed;
    ~Counted() { ++destroyed; }
};
int Counted::destroyed = 0;

class Receiver : public QObject
{
public:
    QList<int> commands;

protected:
    void customEvent(QEvent *event) override
    {
        if (BaseEvent *e = BaseEvent::cast(event))
            commands.append(e->command());
    }
};

} // namespace

class tst_EventRouter : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void synchronousBroadcastSkipsSenderInAddressOrder();
    void postedBroadcastCopiesOncePerReceiver();
    void targetedEvents();
    void shellAndControlsTargets();
    void foreignEventsAreIgnored();

private:
    QObject *fixture(const QString &address) const { return m_plugins.plugin(address)->receiver(); }
    QVariantList received(const QString &address) const
    {
        return fixture(address)->property("received").toList();
    }
    void clearReceived()
    {
        for (const QString &address : {Alpha, Bravo, Charlie})
            fixture(address)->setProperty("received", QVariantList());
    }

    TestEnvironment m_env;
    PluginManager m_plugins;
    EventRouter m_router{&m_plugins};
};

void tst_EventRouter::initTestCase()
{
    // Loaded in reverse of their address order on purpose.
    m_plugins.setPluginFolder(m_env.pluginFolder({"charlie.so", "alpha.so", "bravo.so"}));
    m_plugins.setNameList({"charlie.so", "alpha.so", "bravo.so"});
    m_plugins.setEventManager(&m_router);
    m_plugins.loadPlugin();
    QCOMPARE(m_plugins.plugins().size(), 3);
}

void tst_EventRouter::synchronousBroadcastSkipsSenderInAddressOrder()
{
    clearReceived();
    // Each answers; the one delivered later sees the earlier one's answer.
    fixture(Bravo)->setProperty("answer_100", QByteArray("from bravo"));
    fixture(Charlie)->setProperty("answer_100", QByteArray("from charlie"));

    BaseEvent event(100, QByteArray("question"), QString(), Alpha);
    m_router.send(&event);

    QVERIFY(received(Alpha).isEmpty());
    QCOMPARE(received(Bravo).size(), 1);
    QCOMPARE(received(Charlie).size(), 1);
    QCOMPARE(received(Bravo).at(0).toMap().value("data").toByteArray(), QByteArray("question"));
    QCOMPARE(received(Charlie).at(0).toMap().value("data").toByteArray(), QByteArray("from bravo"));
    QCOMPARE(event.data(), QByteArray("from charlie"));
    // Same object for every synchronous receiver.
    QCOMPARE(received(Bravo).at(0).toMap().value("event"), QVariant::fromValue(reinterpret_cast<quintptr>(&event)));
    QCOMPARE(received(Charlie).at(0).toMap().value("event"), QVariant::fromValue(reinterpret_cast<quintptr>(&event)));

    // A plug-in sending through the bus it was given.
    clearReceived();
    QMetaObject::invokeMethod(fixture(Charlie), "sendEvent", Q_ARG(int, 101), Q_ARG(QByteArray, "x"),
                              Q_ARG(QString, QString()), Q_ARG(bool, false));
    QCOMPARE(received(Alpha).size(), 1);
    QCOMPARE(received(Bravo).size(), 1);
    QVERIFY(received(Charlie).isEmpty());
}

void tst_EventRouter::postedBroadcastCopiesOncePerReceiver()
{
    clearReceived();
    Counted::destroyed = 0;
    auto *event = new BaseEvent(200, QByteArray("p"), QString(), QString::fromLatin1(Address::Shell),
                                {}, true, true);
    event->addAttachment(new Counted);
    const auto original = reinterpret_cast<quintptr>(event);
    m_router.send(event);
    QVERIFY(received(Alpha).isEmpty());

    QCoreApplication::sendPostedEvents(); // the router's turn, which posts the copies
    QCoreApplication::sendPostedEvents(); // the copies' turn
    QSet<quintptr> seen;
    for (const QString &address : {Alpha, Bravo, Charlie}) {
        const QVariantList list = received(address);
        QCOMPARE(list.size(), 1);
        const QVariantMap record = list.at(0).toMap();
        QVERIFY(record.value("posted").toBool());
        QCOMPARE(record.value("attachments").toInt(), 1);
        QCOMPARE(record.value("data").toByteArray(), QByteArray("p"));
        seen.insert(record.value("event").value<quintptr>());
    }
    QCOMPARE(seen.size(), 3);
    QVERIFY(!seen.contains(original));
    QCOMPARE(Counted::destroyed, 1);
}

void tst_EventRouter::targetedEvents()
{
    clearReceived();
    BaseEvent toBravo(300, {}, Bravo, Alpha);
    m_router.send(&toBravo);
    QCOMPARE(received(Bravo).size(), 1);
    QVERIFY(received(Alpha).isEmpty());
    QVERIFY(received(Charlie).isEmpty());

    clearReceived();
    BaseEvent toSelf(301, {}, Bravo, Bravo);
    m_router.send(&toSelf);
    QVERIFY(received(Bravo).isEmpty());

    // Case matters, and an unknown party is dropped without a word.
    LogCapture log;
    BaseEvent wrongCase(302, {}, Bravo.toLower(), Alpha);
    m_router.send(&wrongCase);
    BaseEvent nobody(303, QByteArray("q"), QStringLiteral("{00000000-0000-0000-0000-000000000000}"), Alpha);
    m_router.send(&nobody);
    for (const QString &address : {Alpha, Bravo, Charlie})
        QVERIFY(received(address).isEmpty());
    QCOMPARE(nobody.data(), QByteArray("q"));
    QVERIFY(log.lines().isEmpty());
}

void tst_EventRouter::shellAndControlsTargets()
{
    PluginManager none;
    EventRouter router(&none);
    QList<int> shellCommands;
    router.setShellHandler([&](BaseEvent *e) { shellCommands.append(e->command()); });
    Receiver controls;
    router.setControlsReceiver(&controls);

    BaseEvent toShell(Command::OwnJid, {}, QString::fromLatin1(Address::Shell), Alpha);
    router.send(&toShell);
    router.send(new BaseEvent(Command::LogUploadKey, {}, QString::fromLatin1(Address::Shell), Alpha,
                              {}, true, true));
    BaseEvent toControls(5, {}, QString::fromLatin1(Address::ControlsLibrary), Alpha);
    router.send(&toControls);
    BaseEvent broadcast(6, {}, QString(), Alpha);
    router.send(&broadcast);
    QCoreApplication::sendPostedEvents();

    QCOMPARE(shellCommands, (QList<int>{Command::OwnJid, Command::LogUploadKey}));
    QCOMPARE(controls.commands, QList<int>{5});
}

void tst_EventRouter::foreignEventsAreIgnored()
{
    PluginManager none;
    EventRouter router(&none);
    int handled = 0;
    router.setShellHandler([&](BaseEvent *) { ++handled; });
    QCoreApplication::postEvent(&router, new QEvent(QEvent::Type(QEvent::User + 5)));
    QCoreApplication::postEvent(&router, new QEvent(QEvent::User));
    QCoreApplication::sendPostedEvents();
    router.send(nullptr);
    QCOMPARE(handled, 0);
}

QTEST_MAIN(tst_EventRouter)
#include "tst_EventRouter.moc"
