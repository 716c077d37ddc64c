// test-flags: LIBS Qt6::HttpServer
#include "DispatcherHarness.h"
#include "LoopbackHttpServer.h"
#include "LogCapture.h"
#include "LogFiles.h"
#include "app/AccountLogUpload.h"
#include "endpoints/CUrlInfo.h"
#include "log/upload/HttpUploadLog.h"

#include <lumio/Commands.h>

#include <QDir>
#include <QSignalSpy>
#include <QtTest>

using harness::bytes;

namespace {

const QDateTime Stamp(QDate(2024, 3, 5), QTime(10, 15, 0));

// A shell with its bus, a custom log with one line and an allurl.ini that names
// the loopback server's paths for the file service and the log-info service.
struct Fixture {
    harness::PrivateShell shell;
    LoopbackHttpServer server;
    CUrlInfo urls;
    QString logFolder = shell.env.root() + "/IMLog";
    CustomLogger log{logFolder + "/CustomLog.csv",
                     shippedLogFormat()};
    QDateTime now = Stamp;
    quint32 delaySeconds = 0;
    AccountLogUpload upload{sources()};

    Fixture()
    {
        QDir().mkpath(logFolder);
        log.open();
        log.log("I", "Test::f()", "line one", "here");
        const QString ini = shell.env.root() + "/allurl.ini";
        TestEnvironment::writeText(ini, QStringLiteral("[sal]\nuploadpointurl=%1\nqueryobjectidurl=%2\n"
                                                       "[logupload]\nregularUpload=%3\n")
                                            .arg(server.url("/point"), server.url("/objid"),
                                                 server.url("/register"))
                                            .toUtf8());
        urls.load(ini);
        server.answer("/point", {200, R"({"code":0,"requestId":"r1","url":")" + server.url("/file").toUtf8()
                                          + R"(","salAccessKeyId":"k","callbackuri":"cb"})", {}, 0, false});
        server.answer("/file", {200, "{}", {}, 0, false});
        server.answer("/objid", {200, R"({"code":0,"objectId":"obj-1"})", {}, 0, false});
        server.answer("/register", {200, R"({"code":"0","msg":"ok"})", {}, 0, false});
        upload.setClock([this] { return now; });
        upload.setRandom([this](quint32) { return delaySeconds; });
        upload.setTimeout(2000);
    }
    AccountLogUpload::Sources sources()
    {
        return {&shell.signalSender, &shell.cache, &shell.settings, &urls, [this] { return &log; }};
    }
    // Log-in as the bus carries it: the account, its log-upload id and key, then completion.
    void logIn(const QString &account, const QString &userId, const QString &key)
    {
        shell.loadAccount(account);
        if (!userId.isEmpty())
            shell.ask(Command::SetLogUploadUserId, bytes(userId));
        if (!key.isEmpty())
            shell.ask(Command::SetLogUploadKey, bytes(key));
        shell.ask(Command::LoginCompleted, bytes(QStringLiteral("unused")));
    }
    // One half-hourly tick of the running schedule, as its timer would deliver it.
    bool tick()
    {
        if (!upload.schedule())
            return false;
        upload.schedule()->slot_uploadLogTimeOut();
        return true;
    }
    QStringList leftovers() const { return QDir(logFolder).entryList({"PC-*"}, QDir::Files); }
};

const QStringList WholeChain{"/point", "/file", "/objid", "/register"};

} // namespace

class tst_AccountLogUpload : public QObject
{
    Q_OBJECT
private slots:
    void uploadStartsAfterLogInAtADueTime();
    void changeOfUserStopsTheTimer();
    void withoutKeyNothingIsPackedOrSent();
    void runUnderWayAtChangeOfUserFinishes();
};

void tst_AccountLogUpload::uploadStartsAfterLogInAtADueTime()
{
    LogCapture capture;
    Fixture f;
    QSignalSpy started(&f.upload, &AccountLogUpload::runStarted);
    QSignalSpy finished(&f.upload, &AccountLogUpload::runFinished);

    // Nothing runs before log-in, whatever the time; a change of user then is harmless.
    QVERIFY(!f.tick());
    f.shell.ask(Command::LoggedOut);
    QVERIFY(!f.upload.schedule());

    f.logIn("bob", "uid-7", "key-7");
    QVERIFY(f.upload.schedule());
    QVERIFY(f.upload.schedule()->isActive());
    QCOMPARE(f.upload.schedule()->interval(), LogUploadSchedule::TickMs);

    // Outside the windows a tick does nothing.
    f.now = QDateTime(Stamp.date(), QTime(12, 0));
    QVERIFY(f.tick());
    QTest::qWait(50);
    QCOMPARE(started.size(), 0);

    f.now = Stamp;
    QVERIFY(f.tick());
    QVERIFY(finished.wait(5000));
    QCOMPARE(started.size(), 1);
    QCOMPARE(finished.at(0).at(0).toBool(), true);
    QCOMPARE(f.server.paths(), WholeChain);
    for (const auto &s : f.server.seen)
        QCOMPARE(s.headers.value("authorization"), HttpUploadLog::authorization("uid-7", "key-7"));
    QCOMPARE(f.server.seen.at(0).form()["filename"], QString("PC-bob-20240305101500.zip"));
    QVERIFY(f.leftovers().isEmpty());
    QVERIFY(!TestEnvironment::readText(f.log.path()).contains("line one"));
    // The half-hour rhythm goes on after the upload.
    QVERIFY(f.upload.schedule()->isActive());
    QCOMPARE(f.upload.schedule()->interval(), LogUploadSchedule::TickMs);
}

void tst_AccountLogUpload::changeOfUserStopsTheTimer()
{
    LogCapture capture;
    Fixture f;
    QSignalSpy started(&f.upload, &AccountLogUpload::runStarted);
    f.logIn("bob", "uid-7", "key-7");
    // Armed for one second from now, then the user changes before it is due.
    f.delaySeconds = 1;
    QVERIFY(f.tick());
    QVERIFY(f.upload.schedule()->isArmed());
    QPointer<LogUploadSchedule> old = f.upload.schedule();
    // Log-in completing again for the same user keeps the armed upload.
    f.shell.ask(Command::LoginCompleted, bytes(QStringLiteral("unused")));
    QCOMPARE(f.upload.schedule(), old.data());
    QVERIFY(old->isArmed());
    f.shell.ask(Command::LoggedOut);
    QVERIFY(!f.upload.schedule());
    QVERIFY(!old);
    QTest::qWait(1500);
    QCOMPARE(started.size(), 0);
    QVERIFY(f.server.seen.isEmpty());

    // The next user gets a fresh schedule, and the upload names that user's account.
    f.delaySeconds = 0;
    f.logIn("carol", "uid-8", "key-8");
    QSignalSpy finished(&f.upload, &AccountLogUpload::runFinished);
    QVERIFY(f.tick());
    QVERIFY(finished.wait(5000));
    QCOMPARE(f.server.paths(), WholeChain);
    QVERIFY(f.server.seen.at(0).form()["filename"].startsWith("PC-carol-"));
    QCOMPARE(f.server.seen.at(0).headers.value("authorization"),
             HttpUploadLog::authorization("uid-8", "key-8"));
}

void tst_AccountLogUpload::withoutKeyNothingIsPackedOrSent()
{
    LogCapture capture;
    Fixture f;
    QSignalSpy started(&f.upload, &AccountLogUpload::runStarted);
    // The first user's id and key must not serve the next one.
    f.logIn("bob", "uid-7", "key-7");
    f.shell.ask(Command::LoggedOut);
    f.logIn("carol", "uid-8", QString());
    QVERIFY(f.tick());
    QTest::qWait(100);
    QCOMPARE(started.size(), 0);
    QVERIFY(f.server.seen.isEmpty());
    QVERIFY2(capture.contains("no log-upload key for account \"carol\"; upload skipped"),
             qPrintable(capture.lines().join('\n')));
    // The lines stay in the custom log for a later upload.
    QVERIFY(TestEnvironment::readText(f.log.path()).contains("line one"));
    QVERIFY(f.leftovers().isEmpty());
    // The schedule goes on: once the key arrives, the next due tick uploads.
    f.shell.ask(Command::SetLogUploadKey, bytes(QStringLiteral("key-8")));
    QSignalSpy finished(&f.upload, &AccountLogUpload::runFinished);
    QVERIFY(f.tick());
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished.at(0).at(0).toBool(), true);
}

void tst_AccountLogUpload::runUnderWayAtChangeOfUserFinishes()
{
    LogCapture capture;
    Fixture f;
    f.server.answer("/objid", {200, R"({"code":0,"objectId":"obj-1"})", {}, 300, false});
    QSignalSpy finished(&f.upload, &AccountLogUpload::runFinished);
    f.logIn("bob", "uid-7", "key-7");
    QVERIFY(f.tick());
    QTRY_VERIFY_WITH_TIMEOUT(f.upload.isRunning(), 2000);
    // A second due tick while the first run is under way starts nothing.
    QVERIFY(f.tick());
    QTest::qWait(50);
    // The packed lines are only in the archive now: the change of user must not drop them.
    f.shell.ask(Command::LoggedOut);
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).toBool(), true);
    QCOMPARE(f.server.paths(), WholeChain);
    QVERIFY(capture.contains("an upload is still running; this one skipped"));
    QVERIFY(!f.upload.isRunning());
    QVERIFY(f.leftovers().isEmpty());
}

QTEST_GUILESS_MAIN(tst_AccountLogUpload)
#include "tst_AccountLogUpload.moc"
