#include "TestEnvironment.h"
#include "ZipReader.h"
#include "app/CrashCapture.h"
#include "app/CrashPacker.h"
#include "platform/CrashHook.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <csignal>

namespace {

struct Layout
{
    QString logFolder;
    QString appDir;
    QString userFolder;
    QString record;
};

Layout makeLayout(const TestEnvironment &env)
{
    Layout l;
    l.logFolder = env.home() + "/.local/share/Lumio/TavrinIm/IMLog";
    l.appDir = env.root() + "/app";
    l.userFolder = env.home() + "/Documents/TavrinImFiles/bob";
    l.record = env.root() + "/upload-arguments.txt";
    QDir().mkpath(l.logFolder);
    QDir().mkpath(l.appDir);
    return l;
}

// Stands in for the log uploader: records its arguments, one a line.
void writeUploader(const Layout &l)
{
    const QString script = l.appDir + "/UploadLog";
    const QString text = QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1.part' && mv '%1.part' '%1'\n");
    TestEnvironment::writeText(script, text.arg(l.record).toUtf8());
    QFile::setPermissions(script, QFile::permissions(script) | QFileDevice::ExeOwner);
}

struct Crash
{
    QProcess::ExitStatus status = QProcess::NormalExit;
    int code = -1;
    QByteArray output;
};

Crash runChild(const QString &mode, const Layout &l, const QString &userFolder)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The hook replaces ASan's handlers anyway; turning them off keeps the
    // child's death independent of ASan's defaults. The packer is the same
    // binary, and its leak report would only reach a pipe nobody reads.
    environment.insert("ASAN_OPTIONS",
                       "handle_segv=0:handle_abort=0:handle_sigbus=0:handle_sigfpe=0:detect_leaks=0");
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(LUMIO_CRASH_HELPER, {mode, l.logFolder, l.appDir, userFolder});
    Crash c;
    if (!child.waitForFinished(60000))
        return c;
    c.status = child.exitStatus();
    // For a crash, Qt reports the signal as the exit code.
    c.code = child.exitCode();
    c.output = child.readAll();
    return c;
}

QByteArray waitForFile(const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    while (!QFile::exists(path) && timer.elapsed() < 15000)
        QTest::qWait(50);
    return TestEnvironment::readText(path);
}

} // namespace

class tst_CrashHook : public QObject
{
    Q_OBJECT
private slots:
    void crashLeavesDumpArchiveAndStartsUpload_data();
    void crashLeavesDumpArchiveAndStartsUpload();
    void packingGoesOnWithoutCredentialsCopyOrUploader();
    void shellPackingModeSkipsStartUp();
    void archiveThatCannotBeWrittenIsLoggedAndNotCopied();
    void repeatedLogInDoesNotGrowTheCrashPath();
};

void tst_CrashHook::crashLeavesDumpArchiveAndStartsUpload_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<QString>("reason");
    QTest::newRow("segv") << "segv" << int(SIGSEGV) << QString();
    QTest::newRow("abort") << "abort" << int(SIGABRT) << QString();
    QTest::newRow("terminate") << "terminate" << int(SIGABRT)
                               << "terminate: uncaught exception: boom from the crashing child";
}

void tst_CrashHook::crashLeavesDumpArchiveAndStartsUpload()
{
    QFETCH(QString, mode);
    QFETCH(int, signalNumber);
    QFETCH(QString, reason);
    TestEnvironment env;
    const Layout l = makeLayout(env);
    writeUploader(l);
    TestEnvironment::writeText(l.userFolder + "/Log.ini",
                               "[LogInfo]\nuid=7001\nkey=secret\nusername=bob\njid=bob@im.example\n");
    TestEnvironment::writeText(l.logFolder + "/Debug.log", "earlier line\n");
    // Archives of an earlier crash are replaced, not added to.
    TestEnvironment::writeText(l.logFolder + "/tavrinimDump.zip", "old");
    TestEnvironment::writeText(l.appDir + "/tavrinimDump.zip", "old");

    const Crash crash = runChild(mode, l, l.userFolder);
    QCOMPARE(crash.status, QProcess::CrashExit);
    QCOMPARE(crash.code, signalNumber);

    const QByteArray dump = TestEnvironment::readText(l.logFolder + "/TavrinIM.dmp");
    QVERIFY2(dump.contains(QStringLiteral("\nsignal: %1 (").arg(signalNumber).toLatin1()), dump.left(300));
    QVERIFY(dump.contains("\nregisters:\n"));
    QVERIFY(dump.contains("\nbacktrace:\n"));
    QVERIFY(dump.contains("\nmaps:\n"));
    QVERIFY(dump.contains("[stack]"));
    if (!reason.isEmpty())
        QVERIFY2(dump.contains(reason.toUtf8()), dump.left(500));
    if (mode == "segv") {
        const QRegularExpression printed("fault-address 0x([0-9a-f]+)");
        const auto match = printed.match(QString::fromLatin1(crash.output));
        QVERIFY2(match.hasMatch(), crash.output);
        const QString address = match.captured(1).rightJustified(16, '0');
        QVERIFY2(dump.contains("address: 0x" + address.toLatin1()), dump.left(300));
    }

    QCOMPARE(waitForFile(l.record), QByteArray("uid:7001\nkey:secret\nuserid:bob\njid:bob@im.example\n"));
    for (const QString &archive : {l.logFolder + "/tavrinimDump.zip", l.appDir + "/tavrinimDump.zip"}) {
        const auto entries = ZipReader::entries(archive);
        QCOMPARE(entries.keys(), (QStringList{"CustomLog.csv", "Debug.log", "TavrinIM.dmp"}));
        QCOMPARE(entries.value("TavrinIM.dmp"), dump);
        QVERIFY(entries.value("Debug.log").startsWith("earlier line\n"));
        QVERIFY(entries.value("Debug.log").contains(CrashPacker::CrashLine));
        // The CSV logger was never closed: its line reached the file before the crash.
        QVERIFY(entries.value("CustomLog.csv").contains("line before the crash"));
    }
}

void tst_CrashHook::packingGoesOnWithoutCredentialsCopyOrUploader()
{
    TestEnvironment env;
    const Layout l = makeLayout(env);
    writeUploader(l);
    // The copy into the application directory cannot be made (as when it is
    // read-only, which root cannot simulate with permissions).
    QDir().mkpath(l.appDir + "/tavrinimDump.zip/blocker");

    // A crash before log-in: no Log.ini is known, the uploader gets bare prefixes.
    Crash crash = runChild("abort", l, QString());
    QCOMPARE(crash.status, QProcess::CrashExit);
    QCOMPARE(crash.code, int(SIGABRT));
    QCOMPARE(waitForFile(l.record), QByteArray("uid:\nkey:\nuserid:\njid:\n"));
    QVERIFY(QFileInfo(l.appDir + "/tavrinimDump.zip").isDir());
    const auto entries = ZipReader::entries(l.logFolder + "/tavrinimDump.zip");
    QCOMPARE(entries.keys(), (QStringList{"CustomLog.csv", "Debug.log", "TavrinIM.dmp"}));
    QByteArray log = TestEnvironment::readText(l.logFolder + "/Debug.log");
    QVERIFY2(log.contains("cannot remove the old " + QFile::encodeName(l.appDir)), log);

    // A logged-in user whose Log.ini is gone is treated the same; a missing uploader is only logged.
    QFile::remove(l.record);
    QFile::remove(l.appDir + "/UploadLog");
    crash = runChild("segv", l, l.userFolder);
    QCOMPARE(crash.status, QProcess::CrashExit);
    QCOMPARE(crash.code, int(SIGSEGV));
    log = TestEnvironment::readText(l.logFolder + "/Debug.log");
    QVERIFY2(log.contains("upload program " + QFile::encodeName(l.appDir) + "/UploadLog missing"), log);
    QVERIFY(QFile::exists(l.logFolder + "/tavrinimDump.zip"));
    QVERIFY(!QFile::exists(l.record));
}

void tst_CrashHook::shellPackingModeSkipsStartUp()
{
    TestEnvironment env;
    const Layout l = makeLayout(env);
    writeUploader(l);
    const CrashPacker::Job job{l.logFolder, l.logFolder + "/TavrinIM.dmp", l.appDir,
                               l.appDir + "/UploadLog", QString()};
    TestEnvironment::writeText(job.dumpPath, "dump");

    QProcess shell;
    shell.setProcessChannelMode(QProcess::MergedChannels);
    shell.start(TestEnvironment::binDir() + "/lumio", job.toArguments());
    QVERIFY(shell.waitForFinished(60000));
    QCOMPARE(shell.exitStatus(), QProcess::NormalExit);
    QCOMPARE(shell.exitCode(), 0);
    const QByteArray output = shell.readAll();
    QVERIFY2(!output.contains("BEGIN"), output);
    QVERIFY(!QFile::exists(l.logFolder + "/log.cfg"));
    QVERIFY(!QFile::exists(env.home() + "/Documents/TavrinIm/IMInfo.ini"));
    // Debug.log exists by then: the packer has written the crash line into it.
    QCOMPARE(ZipReader::entries(l.appDir + "/tavrinimDump.zip").keys(), (QStringList{"Debug.log", "TavrinIM.dmp"}));
    QCOMPARE(waitForFile(l.record), QByteArray("uid:\nkey:\nuserid:\njid:\n"));

    // Arguments the packer does not understand end it at once with a line saying so.
    shell.start(TestEnvironment::binDir() + "/lumio",
                {CrashPacker::ModeArgument, "--log-folder=" + l.logFolder});
    QVERIFY(shell.waitForFinished(60000));
    QCOMPARE(shell.exitCode(), 2);
    QVERIFY(shell.readAll().contains("packing mode"));
}

void tst_CrashHook::archiveThatCannotBeWrittenIsLoggedAndNotCopied()
{
    TestEnvironment env;
    const Layout l = makeLayout(env);
    const CrashPacker::Job job{l.logFolder, l.logFolder + "/TavrinIM.dmp", l.appDir,
                               l.appDir + "/UploadLog", QString()};
    const QString archive = l.logFolder + "/tavrinimDump.zip";

    // No dump was written: the packer says so and packs what there is.
    QCOMPARE(CrashPacker::run(job), 0);
    QByteArray log = TestEnvironment::readText(l.logFolder + "/Debug.log");
    QVERIFY2(log.contains("文件不存在: " + QFile::encodeName(job.dumpPath)), log);
    QCOMPARE(ZipReader::entries(archive).keys(), QStringList("Debug.log"));
    QCOMPARE(ZipReader::entries(l.appDir + "/tavrinimDump.zip").keys(), QStringList("Debug.log"));

    // The old archive cannot be replaced: the packer fails, says why in Debug.log
    // and copies nothing next to the program.
    QFile::remove(archive);
    QFile::remove(l.appDir + "/tavrinimDump.zip");
    QDir().mkpath(archive + "/blocker");
    TestEnvironment::writeText(job.dumpPath, "dump");
    QCOMPARE(CrashPacker::run(job), 1);
    log = TestEnvironment::readText(l.logFolder + "/Debug.log");
    QVERIFY2(log.contains("old archive " + QFile::encodeName(archive) + " not removed"), log);
    QVERIFY(log.contains("upload program " + QFile::encodeName(job.uploadProgram) + " missing"));
    QVERIFY(!QFile::exists(l.appDir + "/tavrinimDump.zip"));
}

void tst_CrashHook::repeatedLogInDoesNotGrowTheCrashPath()
{
    // A party that re-reports log-in on every reconnect must not grow the shell.
    const int kept = CrashHook::retainedCommandCount();
    const QStringList withUser{"/opt/packer", "--user", "/home/bob/folder"};
    const QStringList withoutUser{"/opt/packer"};
    for (int i = 0; i < 100; ++i) {
        CrashHook::setPackerCommand(withUser);
        CrashHook::setPackerCommand(withUser);
        CrashHook::setPackerCommand(withoutUser);
    }
    QCOMPARE(CrashHook::retainedCommandCount(), kept + 2);
    QCOMPARE(CrashHook::packerCommand(), withoutUser);
    CrashHook::setPackerCommand({});
    QVERIFY(CrashHook::packerCommand().isEmpty());
}

QTEST_GUILESS_MAIN(tst_CrashHook)
#include "tst_CrashHook.moc"
