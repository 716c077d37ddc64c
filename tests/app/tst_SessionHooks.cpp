#include "DispatcherHarness.h"
#include "LogCapture.h"
#include "app/CrashCapture.h"
#include "app/SessionHooks.h"

#include <lumio/Commands.h>

#include <QSqlDatabase>
#include <QtTest>

using harness::bytes;

class tst_SessionHooks : public QObject
{
    Q_OBJECT
private slots:
    void logInOpensTheStoreOnlyWhenNoPartyDid();
};

namespace {

QString openDatabaseFile()
{
    const QSqlDatabase db = QSqlDatabase::database(QSqlDatabase::defaultConnection, false);
    return db.isOpen() ? db.databaseName() : QString();
}

} // namespace

void tst_SessionHooks::logInOpensTheStoreOnlyWhenNoPartyDid()
{
    harness::PrivateShell shell;
    SessionHooks hooks;
    SessionEntry::install(&hooks);
    LogCapture log;
    const QString root = SystemSetData::instance()->messageFilePath();
    QVERIFY(QDir().mkpath(root));

    // No own JID yet: nothing opens, and nothing claims it did.
    shell.ask(Command::LoginCompleted, bytes(QStringLiteral("unused")));
    QVERIFY(openDatabaseFile().isEmpty());
    QVERIFY(log.contains(QStringLiteral("names no account folder")));
    QVERIFY(!log.contains(QStringLiteral("data.db opened by")));

    // The log-in party opened its own file: the shell leaves it open as it is.
    const QString partyFile = root + QStringLiteral("/party.db");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
        db.setDatabaseName(partyFile);
        QVERIFY(db.open());
    }
    shell.ask(Command::SetOwnJid, bytes(QStringLiteral("bob@corp/pc")));
    shell.ask(Command::LoginCompleted, bytes(QStringLiteral("unused")));
    QCOMPARE(openDatabaseFile(), partyFile);
    QVERIFY(log.contains(QStringLiteral("data.db opened by the log-in plug-in")));
    QVERIFY(!log.contains(QStringLiteral("data.db opened by the shell")));

    // Nobody did: the shell opens the account's own.
    QSqlDatabase::database(QSqlDatabase::defaultConnection, false).close();
    const QString folder = shell.loadAccount(QStringLiteral("bob"));
    shell.ask(Command::LoginCompleted, bytes(QStringLiteral("unused")));
    QCOMPARE(openDatabaseFile(), root + QStringLiteral("/bob/data.db"));
    QVERIFY(log.contains(QStringLiteral("data.db opened by the shell")));
    // The crash path learns where the user's Log.ini is, and forgets it with the user.
    QCOMPARE(CrashCapture::currentJob().userFolder, folder);
    shell.ask(Command::LoggedOut);
    QCOMPARE(CrashCapture::currentJob().userFolder, QString());
}

QTEST_GUILESS_MAIN(tst_SessionHooks)
#include "tst_SessionHooks.moc"
