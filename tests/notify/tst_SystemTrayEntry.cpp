#include "DispatcherHarness.h"
#include "LogCapture.h"
#include "bus/BusRequest.h"
#include "notify/NotifyWiring.h"
#include "notify/SmallMsgBox.h"
#include "notify/SystemTrayManager.h"
#include "ui/CMenuEx.h"

#include <lumio/Records.h>

#include <QAction>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QtTest>

using namespace harness;

namespace {

// Stand-ins that offer the slot and signal names the real windows offer.
class FakeMainWindow : public QObject
{
    Q_OBJECT
public:
    QStringList calls;
public slots:
    void slot_showMainWindow() { calls << "show"; }
    void slot_pAct1() { calls << "1"; }
    void slot_pAct2() { calls << "2"; }
    void slot_pAct3() { calls << "3"; }
    void slot_pAct4() { calls << "4"; }
    void slot_pAct5() { calls << "5"; }
    void slot_changeUser(const QString &config) { calls << "change " + config.section('/', -1); }
    void slot_exitWithoutNotice() { calls << "exit"; }
};

class FakeUnreadBox : public QWidget
{
    Q_OBJECT
public:
    int shown = 0;
signals:
    void signal_closeallshake();
public slots:
    void showMsgBox() { ++shown; }
};

} // namespace

// Every tray row of the dispatcher reaches the real tray manager.
class tst_SystemTrayEntry : public QObject
{
    Q_OBJECT
private slots:
    void rowsReachTheTray();
    void handOffsToTheWindows();
};

void tst_SystemTrayEntry::rowsReachTheTray()
{
    LogCapture log;
    PrivateShell shell;
    NotifyWiring::installTrayEntry();
    BusRequest::setBus(&shell.router);
    SystemTrayManager *tray = SystemTrayManager::instance();

    MessageData message;
    message.fromJid = QStringLiteral("from@x");
    shell.ask(Command::MessageArrived, bytes(QStringLiteral("c@x"), At{&message}));
    shell.ask(Command::FlashForMessage, bytes(At{&message}));
    NoticeRecord notice;
    notice.text = QStringLiteral("notice text");
    shell.ask(Command::NoticeFromRecord, bytes(QStringLiteral("n@x"), QStringLiteral("unused"), At{&notice}));
    QCOMPARE(tray->shakeJids(), (QList<QString>{"n@x", "from@x", "c@x"}));
    QCOMPARE(SmallMsgBox::instance()->model()->rowCount(), 3);

    shell.ask(Command::StopFlashing, bytes(QStringLiteral("from@x")));
    QCOMPARE(tray->shakeJids(), (QList<QString>{"n@x", "c@x"}));

    emit MainSignalSender::instance()->signal_login();
    QVERIFY(!tray->isOfflineMenu());
    shell.ask(Command::TrayOfflineMenu);
    QVERIFY(tray->isOfflineMenu());
    QCOMPARE(tray->trayMenu()->actions().size(), 2);

    shell.ask(Command::LoginStarted);
    QVERIFY(tray->isLoggingIn());
    shell.ask(Command::LoginFinished);
    QVERIFY(!tray->isLoggingIn());
    shell.ask(Command::LoginStartedAlt);
    QVERIFY(tray->isLoggingIn());
    shell.ask(Command::LoginTimedOut);
    QVERIFY(!tray->isLoggingIn());
    QCOMPARE(tray->status(), 0);

    QSignalSpy showMain(tray, &SystemTrayManager::signal_showMainWindow);
    shell.ask(Command::TrayShowMainWindow);
    QCOMPARE(showMain.size(), 1);

    tray->trayIcon()->show();
    shell.ask(Command::HideTrayIcon);
    QVERIFY(!tray->trayIcon()->isVisible());
    tray->trayIcon()->show();
    shell.ask(Command::TrayHide);
    QVERIFY(!tray->trayIcon()->isVisible());

    QVERIFY(!log.contains(QStringLiteral("TrayEntry::")));
    tray->delfrdMsgById(QString(), QString());
    BusRequest::setBus(nullptr);
    TrayEntry::install(nullptr);
}

void tst_SystemTrayEntry::handOffsToTheWindows()
{
    TestEnvironment env;
    SystemTrayManager *tray = SystemTrayManager::instance();
    FakeMainWindow window;
    QVERIFY(NotifyWiring::connectMainWindow(&window, [] { return true; }));
    QVERIFY(NotifyWiring::connectMainWindow(&window, [] { return true; })); // twice: still one route each
    emit MainSignalSender::instance()->signal_login();
    for (QAction *action : tray->trayMenu()->actions())
        action->trigger();
    QCOMPARE(window.calls, (QStringList{"1", "2", "3", "4", "5", "change config.ini", "show", "exit"}));
    QObject lacking;
    QVERIFY(!NotifyWiring::connectMainWindow(&lacking, {}));

    FakeUnreadBox unread;
    NotifyWiring::connectUnreadBox(&unread);
    tray->shakeByMsg(QStringLiteral("a@x"), MessageData());
    tray->shakeByMsg(QStringLiteral("pa1@x"), MessageData());
    emit unread.signal_closeallshake();
    QCOMPARE(tray->shakeJids(), QList<QString>{"pa1@x"});
    QWidget *list = SmallMsgBox::instance()->findChild<QWidget *>(QStringLiteral("MsgList"));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(unread.shown, 1);
    unread.show();
    tray->shakeByMsg(QStringLiteral("b@x"), MessageData());
    QCOMPARE(tray->shakeJids(), QList<QString>{"pa1@x"});
    NotifyWiring::connectUnreadBox(nullptr);
    tray->delfrdMsgById(QString(), QString());
}

QTEST_MAIN(tst_SystemTrayEntry)
#include "tst_SystemTrayEntry.moc"
