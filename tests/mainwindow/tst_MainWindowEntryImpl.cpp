#include "MainWindowHarness.h"
#include "bus/CommandDispatcher.h"
#include "bus/LoginCache.h"
#include "bus/MainSignalSender.h"
#include "bus/PLuginData.h"
#include "bus/ShellServices.h"
#include "bus/entries/MainWindowEntry.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowEntryImpl.h"

#include <QApplication>
#include <QListWidget>
#include <QtTest>

using namespace mw;

// Each main-window command from a plug-in, through the real dispatcher, to the real window.
class tst_MainWindowEntryImpl : public QObject
{
    Q_OBJECT
private slots:
    void rowsReachTheWindow();
};

void tst_MainWindowEntryImpl::rowsReachTheWindow()
{
    TestEnvironment env;
    Bus bus;
    const QString folder = loadAccount(env);
    LoginCache cache;
    PLuginData subscriptions;
    ShellServices services;
    services.loginCache = &cache;
    services.settings = SystemSetData::instance();
    services.subscriptions = &subscriptions;
    services.signalSender = MainSignalSender::instance();
    services.bus = &bus.router;
    CommandDispatcher dispatcher(services);
    bus.router.setShellHandler([&dispatcher](BaseEvent *event) { dispatcher.execute(event); });
    auto *list = new QListWidget;
    list->setObjectName(QStringLiteral("handedOver"));
    bus.party(Address::MainPanel).answers[Command::ContactListWidget] = addressOf(list);

    int quits = 0;
    MainWindowEntryImpl entry([&quits] {
        MainWindowSeams seams = MainWindowSeams::defaults();
        seams.quitLoop = [&quits] { ++quits; };
        seams.freeMegabytes = [](const QString &) { return std::optional<quint64>(100000); };
        return seams;
    });
    MainWindowEntry::install(&entry);
    auto ask = [&bus](int command, const QByteArray &payload = {}) {
        BaseEvent event(command, payload, QString::fromLatin1(Address::Shell),
                        QString::fromLatin1(Address::Contacts));
        bus.router.send(&event);
        return event.data();
    };

    QVERIFY(!PayloadReader(ask(Command::MainWindowStateFlag)).readBool());
    ask(Command::HotKeyConflict, pack(2));
    QVERIFY2(!entry.window(), "only the log-in rows make the window");

    ask(Command::LoginCompleted, pack(QStringLiteral("alice")));
    MainWindow *window = entry.window();
    QVERIFY(window);
    QCOMPARE(window->findChild<QListWidget *>(QStringLiteral("handedOver")), list);

    ask(Command::StartMainWindow, pack(4));
    QVERIFY(window->isVisible());
    QCOMPARE(window->presenceText(), QStringLiteral("忙碌"));
    QCOMPARE(QSettings(folder + QStringLiteral("/config.ini"), QSettings::IniFormat)
                 .value(QStringLiteral("/basicSetting/autoLogin_statu")).toInt(), 4);
    QCOMPARE(PayloadReader(ask(Command::MainWindowPresence)).readInt(), 4);
    QVERIFY(PayloadReader(ask(Command::MainWindowStateFlag)).readBool());
    QCOMPARE(PayloadReader(ask(Command::MainWindowStateValue)).readInt(), 0);

    ask(Command::SetInvisible, pack(true));
    QCOMPARE(window->presenceText(), QStringLiteral("隐身"));
    ask(Command::ShowOnline, pack(1));
    QCOMPARE(window->presenceText(), QStringLiteral("在线"));
    ask(Command::SetPresenceCode, pack(2));
    QCOMPARE(PayloadReader(ask(Command::MainWindowPresence)).readInt(), 2);

    ask(Command::UnreadBadge, pack(120));
    QCOMPARE(window->unreadBadgeText(), QStringLiteral("99+"));
    ask(Command::UnreadBadge, pack(0));
    QCOMPARE(window->unreadBadgeText(), QString());
    ask(Command::StatusLine, pack(QStringLiteral("正在同步")));
    QCOMPARE(window->statusLine(), QStringLiteral("正在同步"));

    bus.log.clear();
    ask(Command::ShowScreenshot);
    ask(Command::LoginAgain);
    QCOMPARE(bus.sent(), (QStringList{Bus::at("Chat", Command::StartScreenshot),
                                      Bus::at("Login", Command::PresenceChosen),
                                      Bus::at("Login", Command::ChoosePresence),
                                      Bus::at("Contacts", Command::ChoosePresence)}));

    ask(Command::CloseMainWindow);
    QVERIFY(window->isMinimized());
    ask(Command::ShowReceivedMessage);
    QVERIFY(window->isVisible() && !window->isMinimized());

    ask(Command::HotKeyConflict, pack(2));
    QCoreApplication::processEvents();
    int conflicts = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        conflicts += w->objectName() == QLatin1String("hotKeyConflict") && w->isVisible();
    QCOMPARE(conflicts, 1);
    QCOMPARE(quits, 0);
    MainWindowEntry::install(nullptr);
    delete window;
}

QTEST_MAIN(tst_MainWindowEntryImpl)
#include "tst_MainWindowEntryImpl.moc"
