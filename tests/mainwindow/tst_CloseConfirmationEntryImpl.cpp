#include "DispatcherHarness.h"
#include "LogCapture.h"
#include "app/WindowEntries.h"
#include "bus/BusRequest.h"
#include "mainwindow/CloseConfirmationEntryImpl.h"
#include "mainwindow/MainWindowWarn.h"

#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

using namespace harness;

// The plug-ins' two commands, through the dispatcher, reach the real dialog.
class tst_CloseConfirmationEntryImpl : public QObject
{
    Q_OBJECT
private slots:
    void commandsReachTheDialog();
};

void tst_CloseConfirmationEntryImpl::commandsReachTheDialog()
{
    LogCapture log;
    PrivateShell shell;
    BusParty contacts(Address::Contacts);
    shell.plugins.addPlugin(&contacts, QStringLiteral("test"));
    BusRequest::setBus(&shell.router);
    // Start-up's installation replaces the harness's recorder.
    installWindowEntries();
    QVERIFY(dynamic_cast<CloseConfirmationEntryImpl *>(&CloseConfirmationEntry::current()));
    MainWindowWarn *dialog = MainWindowWarn::instance();

    // The question opens once the plug-in's request has returned.
    shell.ask(Command::ShowCloseConfirmation, bytes(QStringLiteral("a@corp")));
    QVERIFY(!dialog->isVisible());
    QTRY_VERIFY(dialog->isVisible());
    QCOMPARE(dialog->page(), int(MainWindowWarn::RemovalPage));
    QCOMPARE(dialog->removalJid(), QStringLiteral("a@corp"));

    dialog->findChild<QCheckBox *>(QStringLiteral("recordsBox"))->setChecked(true);
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("pushButton_ok")), Qt::LeftButton);
    QCOMPARE(contacts.seen.size(), 1);
    QCOMPARE(contacts.seen[0].command, 0x1162);

    // The plug-in's reset completes the confirmed removal, once.
    shell.ask(Command::ResetCloseConfirmation, bytes(QStringLiteral("a@corp")));
    shell.ask(Command::ResetCloseConfirmation, bytes(QStringLiteral("a@corp")));
    QTRY_COMPARE(shell.chat.seen.size(), 1);
    QCOMPARE(shell.chat.seen[0].command, 0x10C5);
    QTest::qWait(50);
    QCOMPARE(shell.chat.seen.size(), 1);
    QVERIFY(!log.contains(QStringLiteral("CloseConfirmationEntry::")));

    CloseConfirmationEntry::install(nullptr);
    BusRequest::setBus(nullptr);
}

QTEST_MAIN(tst_CloseConfirmationEntryImpl)
#include "tst_CloseConfirmationEntryImpl.moc"
