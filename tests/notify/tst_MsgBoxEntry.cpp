#include "ChatBusDouble.h"
#include "DispatcherHarness.h"
#include "LogCapture.h"
#include "common/ResourcePath.h"
#include "notify/MsgBox.h"
#include "notify/MsgBoxEntry.h"

#include <QStandardItemModel>
#include <QtTest>

using namespace harness;

namespace {

MessageData from(const QString &jid, const QString &id)
{
    MessageData m;
    m.fromJid = jid;
    m.messageId = id;
    m.text = QStringLiteral("hello");
    m.time = QStringLiteral("2026-03-04 10:20:30");
    return m;
}

} // namespace

class tst_MsgBoxEntry : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ResourcePath::setBaseDir(TestEnvironment::binDir()); }

    void commandsReachBoxAndTray()
    {
        PrivateShell shell;
        ChatBusDouble bus;
        MsgBox box(MsgView::Engine::Recording);
        box.setUserFolder(shell.env.home());
        MsgBoxEntry entry(&box);
        UnreadBoxEntry::install(&entry);
        QList<QPair<QString, QString>> tray;
        MsgBoxEntry::setTrayRemoval([&](const QString &jid, const QString &id) { tray.append({jid, id}); });
        QSignalSpy counts(&box, &MsgBox::signal_msgcount);
        LogCapture log;

        const MessageData a1 = from(QStringLiteral("a@x"), QStringLiteral("1"));
        const MessageData a2 = from(QStringLiteral("a@x"), QStringLiteral("2"));
        const MessageData b1 = from(QStringLiteral("b@x"), QStringLiteral("3"));
        const MessageData c1 = from(QStringLiteral("c@x"), QStringLiteral("4"));
        shell.ask(Command::MessageArrived, bytes(QStringLiteral("a@x"), At{&a1}));
        shell.ask(Command::AddToMessageBox, bytes(QString(), At{&a2})); // empty name: the sender
        shell.ask(Command::AddToMessageBox, bytes(QStringLiteral("b@x"), At{&b1}));
        shell.ask(Command::MessageArrived, bytes(QStringLiteral("c@x"), At{&c1}));
        QCOMPARE(box.jidList(), (QList<QString>{QStringLiteral("a@x"), QStringLiteral("b@x"), QStringLiteral("c@x")}));
        QCOMPARE(counts.last().at(0).toInt(), 3);

        shell.ask(Command::MessageBoxCount, bytes(7));
        QCOMPARE(counts.last().at(0).toInt(), 7);

        QVERIFY(!PayloadReader(shell.ask(Command::IsMessageBoxVisible)).readBool());
        bus.unread.insert(QStringLiteral("a@x"), {a1, a2});
        bus.unread.insert(QStringLiteral("b@x"), {b1});
        bus.unread.insert(QStringLiteral("c@x"), {c1});
        box.showMsgBox();
        QVERIFY(PayloadReader(shell.ask(Command::IsMessageBoxVisible)).readBool());
        QVERIFY(PayloadReader(shell.ask(Command::IsMessageBoxVisibleAlt)).readBool());

        shell.ask(Command::UpdateMessageBoxEntry, bytes(QStringLiteral("a@x"), QStringLiteral("p.png"),
                                                        QStringLiteral("f9"), QStringLiteral("unused"), true));
        QCOMPARE(box.view()->recordedScripts().last(), QStringLiteral("downPicFailed(\"p.png\", \"f9\")"));

        shell.ask(Command::MessagesRead, bytes(QStringLiteral("a@x"), QStringLiteral("1")));
        QCOMPARE(box.frdModel()->rowCount(), 3);
        shell.ask(Command::MessagesRead, bytes(QStringLiteral("b@x"), QString()));
        shell.ask(Command::RemoveSender, bytes(QStringLiteral("a@x")));
        QCOMPARE(box.jidList(), QList<QString>{QStringLiteral("c@x")});
        QCOMPARE(box.frdModel()->rowCount(), 1);
        shell.ask(Command::MessagesRead, bytes(QString(), QString()));
        QVERIFY(box.jidList().isEmpty());
        QCOMPARE(counts.last().at(0).toInt(), 0);
        const QList<QPair<QString, QString>> expected{{QStringLiteral("a@x"), QStringLiteral("1")},
                                                      {QStringLiteral("b@x"), QString()},
                                                      {QStringLiteral("a@x"), QString()},
                                                      {QString(), QString()}};
        QCOMPARE(tray, expected);

        shell.ask(Command::SetLogUploadKey, bytes(QStringLiteral("k")));
        shell.ask(Command::SetLogUploadUserId, bytes(QStringLiteral("u")));
        QVERIFY2(!log.contains(QStringLiteral("UnreadBoxEntry::")), qPrintable(log.lines().join(QLatin1Char('\n'))));

        MsgBoxEntry::setTrayRemoval({});
        UnreadBoxEntry::install(&shell.unreadBox);
    }
};

QTEST_MAIN(tst_MsgBoxEntry)
#include "tst_MsgBoxEntry.moc"
