#include "LogCapture.h"
#include "MainWindowHarness.h"
#include "bus/MainSignalSender.h"
#include "mainwindow/DockController.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/PresenceMenu.h"
#include "mainwindow/SystemMenu.h"
#include "store/CLocalDataBase.h"
#include "store/MessageLookup.h"

#include <lumio/Records.h>
#include <lumio/VcardInfo.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QtTest>

using namespace mw;

namespace {

struct Recorder
{
    int quits = 0;
    int playersEnded = 0;
    QStringList started;
    QStringList asked;
    QStringList notices;
    bool answerYes = false;
};

MainWindowSeams seamsFor(Recorder *r)
{
    MainWindowSeams s = MainWindowSeams::defaults();
    s.quitLoop = [r] { ++r->quits; };
    s.endOwnMediaPlayers = [r] { ++r->playersEnded; return true; };
    s.startDetached = [r](const QString &program, const QStringList &args) {
        r->started << (QStringList{program} + args).join(QLatin1Char(' '));
        return true;
    };
    s.askYesNo = [r](const QString &, const QString &text) { r->asked << text; return r->answerYes; };
    s.notify = [r](const QString &, const QString &text) { r->notices << text; };
    s.idleSeconds = [] { return 0; };
    s.fullScreenInFront = [] { return false; };
    s.applicationFile = [] { return QStringLiteral("/opt/lumio/bin/lumio"); };
    return s;
}

QSettings config(const QString &folder)
{
    return QSettings(folder + QStringLiteral("/config.ini"), QSettings::IniFormat);
}

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT
private slots:
    void postLogInWritesPresenceAndPrivateLogInfo();
    void placeSurvivesRestart();
    void exitAsksAndRunsOnce();
    void changeOfUserStartsAFreshCopy();
    void presenceMenuTellsThePlugins();
    void diskWarningOpensOnceAfterTheRow();
    void systemMessageKeptOncePerId();
    void closeWithoutTrayMinimises();
    void clockSwitchesAwayAndBack();
    void freeSpaceOfAFolderNotYetMade();
};

void tst_MainWindow::postLogInWritesPresenceAndPrivateLogInfo()
{
    TestEnvironment env;
    Bus bus;
    const QString folder = loadAccount(env);
    bus.shellAnswers.insert(Command::LogUploadUserId, QStringLiteral("uid-7"));
    bus.shellAnswers.insert(Command::LogUploadKey, QStringLiteral("secret-key"));
    bus.party(Address::Contacts).answers[Command::UserName] = pack(QStringLiteral("Alice"));
    // The user directory does not answer: a blank record, no crash, no jid.
    Recorder r;
    MainWindow window(seamsFor(&r));
    window.loggedIn(PresenceMenu::Busy);

    QCOMPARE(config(folder).value(QStringLiteral("/basicSetting/autoLogin_statu")).toInt(), 4);
    QSettings log(folder + QStringLiteral("/Log.ini"), QSettings::IniFormat);
    QCOMPARE(log.value(QStringLiteral("LogInfo/uid")).toString(), QStringLiteral("uid-7"));
    QCOMPARE(log.value(QStringLiteral("LogInfo/key")).toString(), QStringLiteral("secret-key"));
    QCOMPARE(log.value(QStringLiteral("LogInfo/username")).toString(), QStringLiteral("Alice"));
    QCOMPARE(log.value(QStringLiteral("LogInfo/jid")).toString(), QString());
    const QFileDevice::Permissions mode = QFile::permissions(folder + QStringLiteral("/Log.ini"));
    QVERIFY(mode.testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QVERIFY(!(mode & (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                      | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther)));

    const QList<Request> told = bus.to(Address::OwnAccount, Command::TellPresence);
    QCOMPARE(told.size(), 1);
    QCOMPARE(PayloadReader(told[0].data).readInt(), 4);
    QCOMPARE(bus.to(Address::Chat, Command::AnnounceOnline).size(), 1);
    QVERIFY(window.isVisible());
    QCOMPARE(window.presenceText(), QStringLiteral("忙碌"));
}

void tst_MainWindow::placeSurvivesRestart()
{
    TestEnvironment env;
    Bus bus;
    const QString folder = loadAccount(env, "[Rect]\nwidth=4\nheight=700\npointx=100\npointy=50\nstayType=4\n");
    const QList<WindowPlacement::Screen> screens{{QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1040)}};
    Recorder r;
    QRect placed;
    {
        MainWindow window(seamsFor(&r));
        window.dock()->screens = [screens] { return screens; };
        window.loggedIn(1);
        // A width of 4 is unset: both sides fall back to the default size.
        QCOMPARE(window.geometry(), QRect(100, 50, 270, 650));
        // Restoring is no move of the user's: the window stays docked right.
        QCOMPARE(window.dock()->stayType(), int(WindowPlacement::Right));
        window.move(300, 120);
        QCOMPARE(window.dock()->stayType(), int(WindowPlacement::Free));
        placed = window.geometry();
        window.saveWindowState();
    }
    QCOMPARE(config(folder).value(QStringLiteral("/Rect/pointx")).toInt(), 300);
    MainWindow again(seamsFor(&r));
    again.dock()->screens = [screens] { return screens; };
    again.loggedIn(1);
    QCOMPARE(again.geometry(), placed);
}

void tst_MainWindow::exitAsksAndRunsOnce()
{
    TestEnvironment env;
    Bus bus;
    const QString folder = loadAccount(env);
    bus.party(Address::Chat).answers[Command::HasUnfinishedChats] = pack(true);
    const QStringList groups{QStringLiteral("friends"), QStringLiteral("team")};
    bus.party(Address::MainPanel).answers[Command::ExpandedGroups] = addressOf(&groups);
    Recorder r;
    MainWindow window(seamsFor(&r));
    window.loggedIn(1);

    bus.log.clear();
    window.slot_exit();
    QCOMPARE(r.asked, QStringList{QStringLiteral("您有未完成的会话，是否退出程序？")});
    QCOMPARE(bus.sent(), QStringList{Bus::at("Chat", Command::HasUnfinishedChats)});
    QCOMPARE(r.quits, 0);

    r.answerYes = true;
    bus.log.clear();
    window.slot_exit();
    QCOMPARE(bus.sent(), (QStringList{Bus::at("Chat", Command::HasUnfinishedChats), Bus::at("ExitParty", Command::NotifyExit),
                                      Bus::at("Group", Command::GroupChatExitQuery), Bus::at("Group", Command::GroupChatExit),
                                      Bus::at("Panel", Command::ExpandedGroups), Bus::at("Contacts", Command::CloseMainWindow),
                                      Bus::at("Login", Command::LoginExit)}));
    QCOMPARE(r.quits, 1);
    QCOMPARE(r.playersEnded, 1);
    QVERIFY(!window.isVisible());
    for (QTimer *timer : window.findChildren<QTimer *>())
        QVERIFY2(!timer->isActive(), qPrintable(timer->objectName()));
    QCOMPARE(config(folder).value(QStringLiteral("GroupName/expandGroups")).toStringList(), groups);
    QCOMPARE(config(folder).value(QStringLiteral("/Rect/width")).toInt(), window.width());

    bus.log.clear();
    window.slot_exitWithoutNotice();
    window.slot_changeUser(QStringLiteral("alice"));
    QVERIFY(bus.log.isEmpty());
    QCOMPARE(r.quits, 1);
    QVERIFY(r.started.isEmpty());
}

void tst_MainWindow::changeOfUserStartsAFreshCopy()
{
    TestEnvironment env;
    Bus bus;
    const QString folder = loadAccount(env, "[basicSetting]\nautoLogin=1\n");
    VcardInfo own;
    own.jid = QStringLiteral("alice@lumio.example");
    bus.party(Address::OwnAccount).answers[Command::OwnAccount] = addressOf(&own);
    Recorder r;
    MainWindow window(seamsFor(&r));
    window.loggedIn(1);
    QVERIFY(QFile::exists(folder + QStringLiteral("/Log.ini")));

    window.systemMenu()->action(QStringLiteral("changeUser"))->trigger();
    QCOMPARE(config(folder).value(QStringLiteral("basicSetting/autoLogin")).toString(), QStringLiteral("0"));
    QCOMPARE(QSettings(folder + QStringLiteral("/Log.ini"), QSettings::IniFormat).allKeys(), QStringList());
    QCOMPARE(r.started, QStringList{QStringLiteral("/opt/lumio/bin/lumio")});
    QCOMPARE(r.quits, 1);
    QCOMPARE(bus.to(Address::Login, Command::LoginExit).size(), 1);
}

void tst_MainWindow::presenceMenuTellsThePlugins()
{
    TestEnvironment env;
    Bus bus;
    const QString folder = loadAccount(env);
    Recorder r;
    MainWindow window(seamsFor(&r));
    window.loggedIn(1);

    bus.log.clear();
    window.presenceMenu()->entry(5)->trigger();
    QCOMPARE(bus.sent(), (QStringList{Bus::at("Account", Command::TellPresence), Bus::at("Account", Command::SetPresence),
                                      Bus::at("Login", Command::PresenceChosen), Bus::at("Login", Command::ChoosePresence),
                                      Bus::at("Contacts", Command::ChoosePresence), Bus::at("Chat", Command::SetAllOffline),
                                      Bus::at("Card", Command::SetAllOffline), Bus::at("Group", Command::SetAllOffline),
                                      Bus::at("Panel", Command::SetAllOffline), Bus::at("Panel", Command::PanelDisconnect)}));
    QCOMPARE(PayloadReader(bus.log[1].data).readInt(), 0);
    QCOMPARE(config(folder).value(QStringLiteral("/basicSetting/autoLogin_statu")).toInt(), 0);

    bus.log.clear();
    window.presenceMenu()->entry(4)->trigger();
    QCOMPARE(PayloadReader(bus.to(Address::OwnAccount, Command::SetPresence).value(0).data).readInt(), 5);
    QCOMPARE(bus.to(Address::Chat, Command::AnnounceOnline).size(), 1);
    QCOMPARE(window.presenceText(), QStringLiteral("隐身"));
    bus.log.clear();
    window.presenceMenu()->entry(3)->trigger();
    QVERIFY(bus.to(Address::Chat, Command::AnnounceOnline).isEmpty());
}

void tst_MainWindow::diskWarningOpensOnceAfterTheRow()
{
    TestEnvironment env;
    Bus bus;
    loadAccount(env);
    Recorder r;
    MainWindowSeams seams = seamsFor(&r);
    seams.freeMegabytes = [](const QString &) { return std::optional<quint64>(150); };
    MainWindow window(seams);

    auto shown = [](const char *name) {
        int count = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            count += w->objectName() == QLatin1String(name) && w->isVisible();
        return count;
    };
    window.slot_checkDiskTimeOut();
    window.slot_checkDiskTimeOut();
    window.reportHotKeyConflict(3);
    window.reportHotKeyConflict(3);
    QCOMPARE(shown("diskSpaceWarning"), 0);
    QCOMPARE(shown("hotKeyConflict"), 0);
    QCoreApplication::processEvents();
    window.slot_checkDiskTimeOut();
    QCoreApplication::processEvents();
    QCOMPARE(shown("diskSpaceWarning"), 1);
    QCOMPARE(shown("hotKeyConflict"), 1);
}

void tst_MainWindow::systemMessageKeptOncePerId()
{
    TestEnvironment env;
    Bus bus;
    const QString folder = loadAccount(env);
    QVERIFY(CLocalDataBase::Open(QStringLiteral("alice"), QFileInfo(folder).path(), true));
    Recorder r;
    MainWindow window(seamsFor(&r));
    QSignalSpy shown(&window, &MainWindow::signal_showSysMsg);
    MessageData message;
    message.messageId = QStringLiteral("sys-1");
    message.fromJid = QStringLiteral("system@lumio.example");
    message.text = QStringLiteral("维护通知");
    message.kind = MessageData::KindNotice;
    MainSignalSender::instance()->emitSystemMsgReceive(message);
    MainSignalSender::instance()->emitSystemMsgReceive(message);
    QCOMPARE(shown.count(), 1);
    const DBMessageSave kept = MessageLookup::MessageByMessageId(QStringLiteral("sys-1"));
    QCOMPARE(kept.content, QStringLiteral("维护通知"));
    QCOMPARE(kept.jid, QStringLiteral("system@lumio.example"));
    CLocalDataBase::Close();
}

void tst_MainWindow::closeWithoutTrayMinimises()
{
    TestEnvironment env;
    Bus bus;
    loadAccount(env, "[basicSetting]\nmainwindowWarn=1\ncloseMainWindow=0\n");
    QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
    Recorder r;
    MainWindow window(seamsFor(&r));
    window.loggedIn(1);
    window.slot_close();
    // Hidden without a tray host, the window could never be found again.
    QVERIFY(window.isVisible());
    QVERIFY(window.isMinimized());
    QCOMPARE(r.quits, 0);
}

void tst_MainWindow::clockSwitchesAwayAndBack()
{
    TestEnvironment env;
    Bus bus;
    loadAccount(env, "[statusSetting]\nChangeToAway=1\nawayMinute=5\nChangeToBusy=0\n");
    bus.party(Address::Contacts).answers[Command::IsConnected] = pack(true);
    VcardInfo own;
    own.presence = 1;
    bus.party(Address::OwnAccount).answers[Command::OwnAccount] = addressOf(&own);
    Recorder r;
    int idle = 0;
    MainWindowSeams seams = seamsFor(&r);
    seams.idleSeconds = [&idle] { return idle; };
    MainWindow window(seams);
    window.loggedIn(1);

    auto told = [&bus] {
        QList<int> codes;
        for (const Request &request : bus.to(Address::OwnAccount, Command::SetPresence))
            codes << PayloadReader(request.data).readInt();
        return codes;
    };
    bus.log.clear();
    idle = 299;
    window.slot_timeUpDate();
    QCOMPARE(told(), QList<int>{3});
    idle = 300;
    window.slot_timeUpDate();
    QCOMPARE(told(), (QList<int>{3, 2, 3}));
    QCOMPARE(window.presenceText(), QStringLiteral("离开"));
    own.presence = 2;
    idle = 0;
    window.slot_timeUpDate();
    QCOMPARE(told(), (QList<int>{3, 2, 3, 1}));
    QCOMPARE(window.presenceText(), QStringLiteral("在线"));
}

void tst_MainWindow::freeSpaceOfAFolderNotYetMade()
{
    // A fresh account's received-files folder does not exist until the first
    // file: its disk is still known, so no failure is logged at every check.
    QTemporaryDir dir;
    const auto space = MainWindowSeams::defaults().freeMegabytes(dir.path() + QStringLiteral("/u/fileRec"));
    QVERIFY(space.has_value());
    QVERIFY(*space > 0);
}

QTEST_MAIN(tst_MainWindow)
#include "tst_MainWindow.moc"
