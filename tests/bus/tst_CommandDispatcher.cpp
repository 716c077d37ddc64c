#include "DispatcherHarness.h"
#include "LogCapture.h"
#include "bus/entries/UninstalledEntries.h"

#include <lumio/MessageData.h>
#include <lumio/VcardInfo.h>

#include <QtTest>

#include <algorithm>

using namespace harness;

namespace {

// A posted event that reports, when the queue frees it, what it held last.
class WatchedEvent : public BaseEvent
{
public:
    struct Last
    {
        QByteArray data;
        int attachments = -1;
    };

    WatchedEvent(int command, const QByteArray &data, Last *last)
        : BaseEvent(command, data, ShellAddress, Sender, {}, true, true)
        , m_last(last)
    {
    }
    ~WatchedEvent() override
    {
        m_last->data = data();
        m_last->attachments = int(attachments().size());
    }

private:
    Last *m_last;
};

const QList<int> TableCommands{
    0x1002, 0x1003, 0x1006, 0x100A, 0x100B, 0x1014, 0x101B, 0x1021, 0x102C, 0x1037, 0x1047, 0x104B,
    0x104E, 0x104F, 0x1050, 0x1051, 0x1052, 0x1053, 0x1059, 0x105A, 0x105C, 0x105D, 0x105E, 0x105F,
    0x1063, 0x1064, 0x1065, 0x1066, 0x1067, 0x1068, 0x1069, 0x106A, 0x106B, 0x106C, 0x106D, 0x106E,
    0x106F, 0x1070, 0x1071, 0x1072, 0x1073, 0x1074, 0x1075, 0x1076, 0x1077, 0x1078, 0x1079, 0x107A,
    0x107C, 0x107D, 0x107E, 0x107F, 0x1080, 0x1081, 0x1082, 0x1087, 0x1088, 0x108A, 0x108B, 0x108C,
    0x1090, 0x1094, 0x1096, 0x1097, 0x1098, 0x1099, 0x109A, 0x109B, 0x109C, 0x109E, 0x10A4, 0x10A5,
    0x10AA, 0x10AB, 0x10AC, 0x10B0, 0x10B4, 0x10B5, 0x10B6, 0x10BE, 0x10C2, 0x10CD, 0x10D5, 0x10DD,
    0x10E7, 0x10E9, 0x10F5, 0x10F6, 0x10F7, 0x1118, 0x112A, 0x1142, 0x1143, 0x1144, 0x1145, 0x1172,
    0x1179, 0x117A, 0x117B, 0x117C, 0x118F, 0x1196, 0x1197, 0x1198, 0x1199, 0x119A, 0x11A2, 0x11BF,
    0x11DD, 0x11DE, 0x11DF, 0x11E0, 0x11F7, 0x11FA, 0x1207, 0x1208, 0x1217, 0x1219, 0x122F, 0x1235,
    0x1237, 0x1238, 0x1239, 0x123B, 0x123F, 0x125A, 0x125C, 0x125D, 0x1261, 0x1262, 0x1272,
};

QString readString(const QByteArray &answer)
{
    PayloadReader in(answer);
    return in.readString();
}

} // namespace

class tst_CommandDispatcher : public QObject
{
    Q_OBJECT
private slots:
    void everyCommandOfTheTableHasAHandler();
    void nullEventWrongTargetAndUnknownNumber();
    void loginCacheAnswersWhatWasStored();
    void storedTextsReachTheirPlugins();
    void subscriptions();
    void objectAddressesAreCheckedAndCopied();
    void postedEventsGetNoAnswerAndCarryNoObjects();
    void shortAndGarbledPayloadsReadAsDefaults();
    void cloudQueryIsNotReentered();
    void defaultEntriesAndTheProcessWideEntry();
};

void tst_CommandDispatcher::everyCommandOfTheTableHasAHandler()
{
    PrivateShell shell;
    QList<int> handled = shell.dispatcher.commands();
    std::sort(handled.begin(), handled.end());
    QCOMPARE(handled, TableCommands);
}

void tst_CommandDispatcher::nullEventWrongTargetAndUnknownNumber()
{
    PrivateShell shell;
    {
        LogCapture log;
        log.clear();
        shell.dispatcher.execute(nullptr);
        QVERIFY(log.contains(QStringLiteral("temp is null")));
    }

    // Straight to the dispatcher: the router would never hand it another party's event.
    BaseEvent toChat(0x108B, bytes(QStringLiteral("a@x")), QString::fromLatin1(Address::Chat),
                     Sender);
    shell.dispatcher.execute(&toChat);
    QVERIFY(shell.cache.ownJid().isEmpty());
    BaseEvent broadcast(0x108B, bytes(QStringLiteral("b@x")), QString(), Sender);
    shell.dispatcher.execute(&broadcast);
    QCOMPARE(shell.cache.ownJid(), QStringLiteral("b@x"));

    LogCapture log;
    log.clear();
    const QByteArray request = bytes(QStringLiteral("q"));
    QCOMPARE(shell.ask(0x1000, request), request);
    QCOMPARE(shell.ask(0x12FF, request), request);
    QCOMPARE(shell.ask(-1, request), request);
    QVERIFY(log.lines().isEmpty());
    QVERIFY(shell.calls.lines.isEmpty());
}

void tst_CommandDispatcher::loginCacheAnswersWhatWasStored()
{
    PrivateShell shell;
    QCOMPARE(readString(shell.ask(0x1047)), QString());

    shell.ask(0x108B, bytes(QStringLiteral("me@corp/pc")));
    shell.ask(0x1096, bytes(QStringLiteral("key-1")));
    shell.ask(0x1097, bytes(QStringLiteral("uid-1")));
    shell.ask(0x1099, bytes(QStringLiteral("text C")));
    shell.ask(0x109A, bytes(true));
    QCOMPARE(readString(shell.ask(0x1047)), QStringLiteral("me@corp/pc"));
    QCOMPARE(readString(shell.ask(0x10AA)), QStringLiteral("key-1"));
    QCOMPARE(readString(shell.ask(0x10AB)), QStringLiteral("uid-1"));
    QCOMPARE(readString(shell.ask(0x10A5)), QStringLiteral("text C"));
    QVERIFY(shell.cache.flag());
    QCOMPARE(shell.calls.lines,
             (QStringList{QStringLiteral("setMessageBoxLogUploadKey key-1"),
                          QStringLiteral("setMessageBoxLogUploadUserId uid-1")}));

    // Without a main window there is no cloud query: the stored record answers.
    shell.ask(0x109B, bytes(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                            QStringLiteral("4"), QStringLiteral("5")));
    shell.ask(0x104B, bytes(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                            QStringLiteral("d"), QStringLiteral("e")));
    PayloadReader record(shell.ask(0x10AC));
    QStringList fields;
    for (int i = 0; i < 5; ++i)
        fields << record.readString();
    QVERIFY(record.ok() && record.atEnd());
    QCOMPARE(fields, (QStringList{"a", "b", "c", "d", "e"}));
    QCOMPARE(shell.cloudQuery.queries, 0);
}

void tst_CommandDispatcher::storedTextsReachTheirPlugins()
{
    PrivateShell shell;
    const QByteArray textD = bytes(QStringLiteral("text D"));
    shell.ask(0x1098, textD);
    QCOMPARE(readString(shell.ask(0x10A4)), QStringLiteral("text D"));
    QVERIFY(shell.mainPanel.seen.isEmpty()); // posted: not yet
    PrivateShell::deliverPosted();
    QCOMPARE(shell.mainPanel.seen.size(), 1);
    const Seen forwarded = shell.mainPanel.seen.first();
    QCOMPARE(forwarded.command, 0x1098);
    QCOMPARE(forwarded.data, textD);
    QCOMPARE(forwarded.source, ShellAddress);
    QVERIFY(forwarded.posted);

    shell.ask(0x1099, bytes(QStringLiteral("text C")));
    const QByteArray chatPayload = bytes(QStringLiteral("for chat"), 7);
    shell.ask(0x11FA, chatPayload);
    PrivateShell::deliverPosted();
    QCOMPARE(shell.mainPanel.seen.size(), 2);
    QCOMPARE(shell.mainPanel.seen.last().command, 0x1099);
    QCOMPARE(shell.chat.seen.size(), 1);
    QCOMPARE(shell.chat.seen.first().command, 0x11FA);
    QCOMPARE(shell.chat.seen.first().data, chatPayload);
    QCOMPARE(shell.chat.seen.first().source, ShellAddress);
}

void tst_CommandDispatcher::subscriptions()
{
    PrivateShell shell;
    const QString panel = QString::fromLatin1(Address::MainPanel);
    const QString unknown = QStringLiteral("{00000000-0000-0000-0000-0000000000AA}");
    const auto answerBool = [&](int command, const QString &sender) {
        PayloadReader in(shell.ask(command, bytes(sender, 3, QStringLiteral("subscriber"))));
        return in.readBool();
    };
    const auto listAt = [&](const QString &sender, int kind) {
        BaseEvent event(0x1198, bytes(sender, kind), ShellAddress, Sender);
        shell.router.send(&event);
        PayloadReader in(event.data());
        QStringList *list = in.readPointer<QStringList>();
        // The answer points at the list the event keeps alive.
        if (!list || event.attachments() != QList<void *>{list})
            return QStringList{QStringLiteral("<no attached list>")};
        return *list;
    };

    QVERIFY(!answerBool(0x1196, unknown));
    QCOMPARE(listAt(unknown, 3), QStringList());
    QVERIFY(!answerBool(0x1197, unknown));

    QVERIFY(answerBool(0x1196, panel));
    QVERIFY(answerBool(0x1196, panel)); // twice: still one entry
    QCOMPARE(listAt(panel, 3), QStringList{"subscriber"});
    QCOMPARE(listAt(panel, 4), QStringList());
    QVERIFY(answerBool(0x1197, panel));
    QCOMPARE(listAt(panel, 3), QStringList());
}

void tst_CommandDispatcher::objectAddressesAreCheckedAndCopied()
{
    PrivateShell shell;
    QSignalSpy cards(&shell.signalSender, &MainSignalSender::signal_friendInfo);
    {
        LogCapture log;
        log.clear();
        shell.ask(0x100A, bytes(QStringLiteral("f@x"), At{nullptr}));
        QCOMPARE(cards.count(), 0);
        QVERIFY(log.contains(QStringLiteral("address 0")));
    }
    auto card = std::make_unique<VcardInfo>();
    card->jid = QStringLiteral("f@x");
    card->nickName = QStringLiteral("Fiona");
    shell.ask(0x100A, bytes(QStringLiteral("f@x"), At{card.get()}));
    QCOMPARE(cards.count(), 1);
    QCOMPARE(cards.at(0).at(0).toString(), QStringLiteral("f@x"));
    QCOMPARE(cards.at(0).at(1).value<VcardInfo>().nickName, QStringLiteral("Fiona"));

    // What reaches a window outlives the sender's object.
    auto message = std::make_unique<MessageData>();
    message->fromJid = QStringLiteral("g@x");
    message->text = QStringLiteral("hello");
    message->images = {QStringLiteral("a.png")};
    shell.ask(0x1064, bytes(QStringLiteral("g@x"), At{message.get()}));
    message.reset();
    QCOMPARE(shell.calls.messages.size(), 1);
    QCOMPARE(shell.calls.messages.first().text, QStringLiteral("hello"));
    QCOMPARE(shell.calls.messages.first().images, QList<QString>{"a.png"});

    // Both maps are needed.
    QSignalSpy unconfirmed(&shell.signalSender,
                           &MainSignalSender::signal_MyUnconfirmedResultReceived);
    const QMap<QString, QStringList> ids{{"f@x", {"1"}}};
    const QMap<QString, QString> labels{{"1", "kind"}};
    shell.ask(0x1059, bytes(At{&ids}, At{nullptr}));
    QCOMPARE(unconfirmed.count(), 0);
    shell.ask(0x1059, bytes(At{&ids}, At{&labels}));
    QCOMPARE(unconfirmed.count(), 1);
    using Labels = QMap<QString, QString>;
    QCOMPARE(unconfirmed.at(0).at(1).value<Labels>(), labels);
}

void tst_CommandDispatcher::postedEventsGetNoAnswerAndCarryNoObjects()
{
    PrivateShell shell;
    shell.cache.setOwnJid(QStringLiteral("me@x"));
    for (int command : {0x1047, 0x10B0, 0x106C, 0x1196, 0x1198, 0x11DE}) {
        WatchedEvent::Last last;
        const QByteArray request
            = bytes(QString::fromLatin1(Address::MainPanel), 1, QStringLiteral("s"));
        shell.router.send(new WatchedEvent(command, request, &last));
        PrivateShell::deliverPosted();
        QVERIFY2(last.data == request, qPrintable(QString::number(command, 16)));
        QCOMPARE(last.attachments, 0);
    }
    // Posted, the subscription itself still counts.
    QCOMPARE(shell.subscriptions.subscribers(QString::fromLatin1(Address::MainPanel), 1),
             QStringList{"s"});

    // The sender keeps an object alive only for its synchronous call.
    QSignalSpy system(&shell.signalSender, &MainSignalSender::signal_SystemMsgReceive);
    MessageData message;
    LogCapture log;
    log.clear();
    shell.post(0x1037, bytes(At{&message}));
    QCOMPARE(system.count(), 0);
    QVERIFY(log.contains(QStringLiteral("posted")));
    shell.ask(0x1037, bytes(At{&message}));
    QCOMPARE(system.count(), 1);
}

void tst_CommandDispatcher::shortAndGarbledPayloadsReadAsDefaults()
{
    PrivateShell shell;
    shell.mainWindow.exists = true;
    // Too short to hold an object address, so no row can follow a stray pointer.
    const QList<QByteArray> payloads{QByteArray(), QByteArray(1, '\0'), QByteArray(7, '\xff'),
                                     QByteArray("\x7f\xff\xff\xfe\x00\x41", 6)};
    for (int command : TableCommands) {
        for (const QByteArray &payload : payloads) {
            shell.ask(command, payload);
            shell.post(command, payload);
        }
    }
    // Defaults: no sender known, no subscription; a badge of 0 hides.
    PayloadReader added(shell.ask(0x1196, QByteArray(3, '\x01')));
    QVERIFY(!added.readBool());
    QVERIFY(added.ok());
    QVERIFY(shell.calls.lines.contains(QStringLiteral("setUnreadBadge ")));
}

void tst_CommandDispatcher::cloudQueryIsNotReentered()
{
    PrivateShell shell;
    shell.ask(0x109B,
              bytes(QStringLiteral("acc"), QStringLiteral("pw"), QString(), QString(), QString()));
    shell.mainWindow.exists = true;
    QStringList nestedAnswer;
    shell.cloudQuery.answer = [&](const LoginCache::AccountRecord &stored) {
        // A plug-in asks again while the query waits in its event loop.
        PayloadReader in(shell.ask(0x10AC));
        for (int i = 0; i < 5; ++i)
            nestedAnswer << in.readString();
        LoginCache::AccountRecord fresh = stored;
        fresh[4] = QStringLiteral("user-id");
        return fresh;
    };
    PayloadReader outer(shell.ask(0x10AC));
    QStringList outerAnswer;
    for (int i = 0; i < 5; ++i)
        outerAnswer << outer.readString();

    QCOMPARE(shell.cloudQuery.queries, 1);
    QCOMPARE(nestedAnswer, (QStringList{"acc", "pw", "", "", ""}));
    QCOMPARE(outerAnswer, (QStringList{"acc", "pw", "", "", "user-id"}));
    QCOMPARE(shell.cache.accountRecord()[4], QStringLiteral("user-id"));

    // The guard is released: the next question queries again.
    shell.cloudQuery.answer = nullptr;
    shell.ask(0x10AC);
    QCOMPARE(shell.cloudQuery.queries, 2);
}

void tst_CommandDispatcher::defaultEntriesAndTheProcessWideEntry()
{
    PrivateShell shell;
    shell.installEntries(false);
    LogCapture log;
    log.clear();
    // A window asking on a timer: one line for the first call, then only counts.
    for (int i = 0; i < 3; ++i) {
        shell.ask(0x1239);
        shell.ask(0x1208, bytes(5));
    }
    const auto linesWith = [&](const char *text) {
        return log.lines().filter(QString::fromLatin1(text)).size();
    };
    QCOMPARE(linesWith("SkinEntry::showSkinWindow: nothing installed"), 1);
    QCOMPARE(linesWith("MainWindowEntry::hasMainWindow: nothing installed"), 1);
    QVERIFY(!log.contains(QStringLiteral("setUnreadBadge")));
    UninstalledEntries::summary();
    const QString summary = log.lines().constLast();
    QVERIFY2(summary.contains(QStringLiteral("MainWindowEntry::hasMainWindow 3"))
                 && summary.contains(QStringLiteral("SkinEntry::showSkinWindow 3")),
             qPrintable(summary));

    // Installed later, the entry is reached from the next command on.
    shell.installEntries(true);
    shell.mainWindow.exists = true;
    shell.ask(0x1208, bytes(5));
    QCOMPARE(shell.calls.lines, QStringList{"setUnreadBadge 5"});

    // What the router is wired to uses the process-wide objects.
    QSignalSpy jids(MainSignalSender::instance(), &MainSignalSender::signal_jid);
    BaseEvent jid(0x108B, bytes(QStringLiteral("proc@x")), ShellAddress, Sender);
    CommandDispatcher::executeCommand(&jid);
    QCOMPARE(LoginCache::instance()->ownJid(), QStringLiteral("proc@x"));
    QCOMPARE(jids.count(), 1);
    log.clear();
    CommandDispatcher::executeCommand(nullptr);
    QVERIFY(log.contains(QStringLiteral("temp is null")));
}

QTEST_MAIN(tst_CommandDispatcher)
#include "tst_CommandDispatcher.moc"
