#include "DispatcherHarness.h"
#include "LogCapture.h"
#include "bus/entries/UninstalledEntries.h"

#include <lumio/Commands.h>
#include <lumio/MessageData.h>
#include <lumio/VcardInfo.h>

#include <QtTest>

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

// Every number the shell handles, as the SDK header lists them.
QList<int> shellCommands()
{
    QList<int> numbers;
#define LUMIO_APPEND_NUMBER(name, number) numbers << Command::name;
    LUMIO_SHELL_COMMANDS(LUMIO_APPEND_NUMBER)
#undef LUMIO_APPEND_NUMBER
    return numbers;
}

void firstRow(CommandContext &c) { c.answer(1); }
void secondRow(CommandContext &c) { c.answer(2); }

} // namespace

class tst_CommandDispatcher : public QObject
{
    Q_OBJECT
private slots:
    void everyShellCommandOfTheHeaderHasOneRow();
    void secondRowForANumberIsRefused();
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

void tst_CommandDispatcher::everyShellCommandOfTheHeaderHasOneRow()
{
    LogCapture log;
    log.clear();
    PrivateShell shell;
    QVERIFY(!log.contains(QStringLiteral("refused")));

    QList<int> rows = shell.dispatcher.commands();
    QStringList withoutRow;
#define LUMIO_CHECK_ROW(name, number) \
    if (!rows.removeOne(Command::name)) \
        withoutRow << QStringLiteral(#name);
    LUMIO_SHELL_COMMANDS(LUMIO_CHECK_ROW)
#undef LUMIO_CHECK_ROW
    QVERIFY2(withoutRow.isEmpty(), qPrintable(withoutRow.join(QLatin1Char(' '))));
    QStringList unlisted;
    for (int command : rows)
        unlisted << QString::number(command, 16);
    QVERIFY2(unlisted.isEmpty(), qPrintable(unlisted.join(QLatin1Char(' '))));
}

void tst_CommandDispatcher::secondRowForANumberIsRefused()
{
    CommandTable table;
    LogCapture log;
    log.clear();
    QVERIFY(table.insert(Command::LoginCompleted, firstRow));
    QVERIFY(!table.insert(Command::LoginCompleted, secondRow));
    QVERIFY(!table.insert(Command::LoggedOut, nullptr));
    QVERIFY(log.contains(QStringLiteral("command 0x%1: second row refused")
                             .arg(QString::number(Command::LoginCompleted, 16).toUpper())));
    QCOMPARE(log.lines().size(), 2);
    QCOMPARE(table.keys(), QList<int>{Command::LoginCompleted});
    QVERIFY(table.value(Command::LoginCompleted) == &firstRow);
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
    BaseEvent toChat(Command::SetOwnJid, bytes(QStringLiteral("a@x")), QString::fromLatin1(Address::Chat),
                     Sender);
    shell.dispatcher.execute(&toChat);
    QVERIFY(shell.cache.ownJid().isEmpty());
    BaseEvent broadcast(Command::SetOwnJid, bytes(QStringLiteral("b@x")), QString(), Sender);
    shell.dispatcher.execute(&broadcast);
    QCOMPARE(shell.cache.ownJid(), QStringLiteral("b@x"));

    LogCapture log;
    log.clear();
    const QByteArray request = bytes(QStringLiteral("q"));
    QCOMPARE(shell.ask(Command::FirstNumber, request), request);
    QCOMPARE(shell.ask(Command::LastNumber, request), request);
    QCOMPARE(shell.ask(-1, request), request);
    QVERIFY(log.lines().isEmpty());
    QVERIFY(shell.calls.lines.isEmpty());
}

void tst_CommandDispatcher::loginCacheAnswersWhatWasStored()
{
    PrivateShell shell;
    QCOMPARE(readString(shell.ask(Command::OwnJid)), QString());

    shell.ask(Command::SetOwnJid, bytes(QStringLiteral("me@corp/pc")));
    shell.ask(Command::SetLogUploadKey, bytes(QStringLiteral("key-1")));
    shell.ask(Command::SetLogUploadUserId, bytes(QStringLiteral("uid-1")));
    shell.ask(Command::SetCacheTextC, bytes(QStringLiteral("text C")));
    shell.ask(Command::SetCacheFlag, bytes(true));
    QCOMPARE(readString(shell.ask(Command::OwnJid)), QStringLiteral("me@corp/pc"));
    QCOMPARE(readString(shell.ask(Command::LogUploadKey)), QStringLiteral("key-1"));
    QCOMPARE(readString(shell.ask(Command::LogUploadUserId)), QStringLiteral("uid-1"));
    QCOMPARE(readString(shell.ask(Command::CacheTextC)), QStringLiteral("text C"));
    QVERIFY(shell.cache.flag());
    QCOMPARE(shell.calls.lines,
             (QStringList{QStringLiteral("setMessageBoxLogUploadKey key-1"),
                          QStringLiteral("setMessageBoxLogUploadUserId uid-1")}));

    // Without a main window there is no cloud query: the stored record answers.
    shell.ask(Command::SetAccountRecord, bytes(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                            QStringLiteral("4"), QStringLiteral("5")));
    shell.ask(Command::SetAccountRecordAlt, bytes(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                            QStringLiteral("d"), QStringLiteral("e")));
    PayloadReader record(shell.ask(Command::AccountRecord));
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
    shell.ask(Command::SetCacheTextD, textD);
    QCOMPARE(readString(shell.ask(Command::CacheTextD)), QStringLiteral("text D"));
    QVERIFY(shell.mainPanel.seen.isEmpty()); // posted: not yet
    PrivateShell::deliverPosted();
    QCOMPARE(shell.mainPanel.seen.size(), 1);
    const Seen forwarded = shell.mainPanel.seen.first();
    QCOMPARE(forwarded.command, Command::SetCacheTextD);
    QCOMPARE(forwarded.data, textD);
    QCOMPARE(forwarded.source, ShellAddress);
    QVERIFY(forwarded.posted);

    shell.ask(Command::SetCacheTextC, bytes(QStringLiteral("text C")));
    const QByteArray chatPayload = bytes(QStringLiteral("for chat"), 7);
    shell.ask(Command::ForwardToChat, chatPayload);
    PrivateShell::deliverPosted();
    QCOMPARE(shell.mainPanel.seen.size(), 2);
    QCOMPARE(shell.mainPanel.seen.last().command, Command::SetCacheTextC);
    QCOMPARE(shell.chat.seen.size(), 1);
    QCOMPARE(shell.chat.seen.first().command, Command::ForwardToChat);
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
        BaseEvent event(Command::Subscribers, bytes(sender, kind), ShellAddress, Sender);
        shell.router.send(&event);
        PayloadReader in(event.data());
        QStringList *list = in.readPointer<QStringList>();
        // The answer points at the list the event keeps alive.
        if (!list || event.attachments() != QList<void *>{list})
            return QStringList{QStringLiteral("<no attached list>")};
        return *list;
    };

    QVERIFY(!answerBool(Command::Subscribe, unknown));
    QCOMPARE(listAt(unknown, 3), QStringList());
    QVERIFY(!answerBool(Command::Unsubscribe, unknown));

    QVERIFY(answerBool(Command::Subscribe, panel));
    QVERIFY(answerBool(Command::Subscribe, panel)); // twice: still one entry
    QCOMPARE(listAt(panel, 3), QStringList{"subscriber"});
    QCOMPARE(listAt(panel, 4), QStringList());
    QVERIFY(answerBool(Command::Unsubscribe, panel));
    QCOMPARE(listAt(panel, 3), QStringList());
}

void tst_CommandDispatcher::objectAddressesAreCheckedAndCopied()
{
    PrivateShell shell;
    QSignalSpy cards(&shell.signalSender, &MainSignalSender::signal_friendInfo);
    {
        LogCapture log;
        log.clear();
        shell.ask(Command::FriendInfo, bytes(QStringLiteral("f@x"), At{nullptr}));
        QCOMPARE(cards.count(), 0);
        QVERIFY(log.contains(QStringLiteral("address 0")));
    }
    auto card = std::make_unique<VcardInfo>();
    card->jid = QStringLiteral("f@x");
    card->nickName = QStringLiteral("Fiona");
    shell.ask(Command::FriendInfo, bytes(QStringLiteral("f@x"), At{card.get()}));
    QCOMPARE(cards.count(), 1);
    QCOMPARE(cards.at(0).at(0).toString(), QStringLiteral("f@x"));
    QCOMPARE(cards.at(0).at(1).value<VcardInfo>().nickName, QStringLiteral("Fiona"));

    // What reaches a window outlives the sender's object.
    auto message = std::make_unique<MessageData>();
    message->fromJid = QStringLiteral("g@x");
    message->text = QStringLiteral("hello");
    message->images = {QStringLiteral("a.png")};
    shell.ask(Command::AddToMessageBox, bytes(QStringLiteral("g@x"), At{message.get()}));
    message.reset();
    QCOMPARE(shell.calls.messages.size(), 1);
    QCOMPARE(shell.calls.messages.first().text, QStringLiteral("hello"));
    QCOMPARE(shell.calls.messages.first().images, QList<QString>{"a.png"});

    // Both maps are needed.
    QSignalSpy unconfirmed(&shell.signalSender,
                           &MainSignalSender::signal_MyUnconfirmedResultReceived);
    const QMap<QString, QStringList> ids{{"f@x", {"1"}}};
    const QMap<QString, QString> labels{{"1", "kind"}};
    shell.ask(Command::UnconfirmedLabels, bytes(At{&ids}, At{nullptr}));
    QCOMPARE(unconfirmed.count(), 0);
    shell.ask(Command::UnconfirmedLabels, bytes(At{&ids}, At{&labels}));
    QCOMPARE(unconfirmed.count(), 1);
    using Labels = QMap<QString, QString>;
    QCOMPARE(unconfirmed.at(0).at(1).value<Labels>(), labels);
}

void tst_CommandDispatcher::postedEventsGetNoAnswerAndCarryNoObjects()
{
    PrivateShell shell;
    shell.cache.setOwnJid(QStringLiteral("me@x"));
    for (int command : {Command::OwnJid, Command::MessageFilePath, Command::ChatFont,
                        Command::Subscribe, Command::Subscribers, Command::MainWindowPresence}) {
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
    shell.post(Command::SystemMessage, bytes(At{&message}));
    QCOMPARE(system.count(), 0);
    QVERIFY(log.contains(QStringLiteral("posted")));
    shell.ask(Command::SystemMessage, bytes(At{&message}));
    QCOMPARE(system.count(), 1);
}

void tst_CommandDispatcher::shortAndGarbledPayloadsReadAsDefaults()
{
    PrivateShell shell;
    shell.mainWindow.exists = true;
    // Too short to hold an object address, so no row can follow a stray pointer.
    const QList<QByteArray> payloads{QByteArray(), QByteArray(1, '\0'), QByteArray(7, '\xff'),
                                     QByteArray("\x7f\xff\xff\xfe\x00\x41", 6)};
    for (int command : shellCommands()) {
        for (const QByteArray &payload : payloads) {
            shell.ask(command, payload);
            shell.post(command, payload);
        }
    }
    // Defaults: no sender known, no subscription; a badge of 0 hides.
    PayloadReader added(shell.ask(Command::Subscribe, QByteArray(3, '\x01')));
    QVERIFY(!added.readBool());
    QVERIFY(added.ok());
    QVERIFY(shell.calls.lines.contains(QStringLiteral("setUnreadBadge ")));
}

void tst_CommandDispatcher::cloudQueryIsNotReentered()
{
    PrivateShell shell;
    shell.ask(Command::SetAccountRecord,
              bytes(QStringLiteral("acc"), QStringLiteral("pw"), QString(), QString(), QString()));
    shell.mainWindow.exists = true;
    QStringList nestedAnswer;
    shell.cloudQuery.answer = [&](const LoginCache::AccountRecord &stored) {
        // A plug-in asks again while the query waits in its event loop.
        PayloadReader in(shell.ask(Command::AccountRecord));
        for (int i = 0; i < 5; ++i)
            nestedAnswer << in.readString();
        LoginCache::AccountRecord fresh = stored;
        fresh[4] = QStringLiteral("user-id");
        return fresh;
    };
    PayloadReader outer(shell.ask(Command::AccountRecord));
    QStringList outerAnswer;
    for (int i = 0; i < 5; ++i)
        outerAnswer << outer.readString();

    QCOMPARE(shell.cloudQuery.queries, 1);
    QCOMPARE(nestedAnswer, (QStringList{"acc", "pw", "", "", ""}));
    QCOMPARE(outerAnswer, (QStringList{"acc", "pw", "", "", "user-id"}));
    QCOMPARE(shell.cache.accountRecord()[4], QStringLiteral("user-id"));

    // The guard is released: the next question queries again.
    shell.cloudQuery.answer = nullptr;
    shell.ask(Command::AccountRecord);
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
        shell.ask(Command::ShowSkinWindow);
        shell.ask(Command::UnreadBadge, bytes(5));
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
    shell.ask(Command::UnreadBadge, bytes(5));
    QCOMPARE(shell.calls.lines, QStringList{"setUnreadBadge 5"});

    // What the router is wired to uses the process-wide objects.
    QSignalSpy jids(MainSignalSender::instance(), &MainSignalSender::signal_jid);
    BaseEvent jid(Command::SetOwnJid, bytes(QStringLiteral("proc@x")), ShellAddress, Sender);
    CommandDispatcher::executeCommand(&jid);
    QCOMPARE(LoginCache::instance()->ownJid(), QStringLiteral("proc@x"));
    QCOMPARE(jids.count(), 1);
    log.clear();
    CommandDispatcher::executeCommand(nullptr);
    QVERIFY(log.contains(QStringLiteral("temp is null")));
}

QTEST_MAIN(tst_CommandDispatcher)
#include "tst_CommandDispatcher.moc"
