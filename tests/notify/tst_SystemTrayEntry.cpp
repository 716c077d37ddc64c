#include "DispatcherHarness.h"
#include "LogCapture.h"
#include "bus/BusRequest.h"
#include "notify/NotifyWiring.h"
#include "notify/SmallMsgBox.h"
#include "notify/SystemTrayManager.h"
#include "ui/CMenuEx.h"

#include <lumio/Records.h>

#include <QSignalSpy>
#include <QStandardItemModel>
#include <QtTest>

using namespace harness;

// Every tray row of the dispatcher reaches the real tray manager.
class tst_SystemTrayEntry : public QObject
{
    Q_OBJECT
private slots:
    void rowsReachTheTray();
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

QTEST_MAIN(tst_SystemTrayEntry)
#include "tst_SystemTrayEntry.moc"
