// test-flags: LIBS Qt6::HttpServer
#include "LogCapture.h"
#include "LoopbackHttpServer.h"
#include "LogFiles.h"
#include "log/upload/HttpUploadLog.h"
#include "log/upload/LogUploadRun.h"
#include "log/upload/LogUploadSchedule.h"

#include <QCryptographicHash>
#include <QDir>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTextCodec>
#include <QtTest>

using Answer = LoopbackHttpServer::Answer;

namespace {

const QDateTime Stamp(QDate(2024, 3, 5), QTime(10, 20, 30));

Answer json(const QByteArray &body, QList<QPair<QByteArray, QByteArray>> headers = {})
{
    return {200, body, headers, 0, false};
}

struct Fixture {
    TestEnvironment env;
    LoopbackHttpServer server;
    QString logPath = env.root() + "/IMLog/CustomLog.csv";
    CustomLogger log{logPath, shippedLogFormat()};

    Fixture()
    {
        QDir().mkpath(env.root() + "/IMLog");
        log.open();
        log.log("I", "Test::f()", "line one", "here");
        server.answer("/point", json(R"({"data":{"code":"0","requestId":"r 1,x*y","url":")"
                                     + server.url("/file").toUtf8()
                                     + R"(","salAccessKeyId":"k&1","callbackuri":"http://cb/?a=1"}})"));
        server.answer("/file", json("{}", {{"ZQRetCode", "ZQ_0"}}));
        server.answer("/objid", json(R"({"code":0,"objectId":"obj-7"})"));
        server.answer("/register", json(R"({"code":"0","msg":"ok"})"));
    }
    LogUploadRun::Target target() const
    {
        return {server.url("/point"), server.url("/objid"), server.url("/register"), "张三", "zs", "pw"};
    }
    // Runs one upload to its end; the result, or -1 when it never ended.
    int run(LogUploadRun::Target t)
    {
        LogUploadRun upload(&log, t);
        upload.setClock([] { return Stamp; });
        upload.setTimeout(300);
        QSignalSpy done(&upload, &LogUploadRun::finished);
        upload.start();
        if (!done.wait(3000))
            return -1;
        QTest::qWait(20);
        return done.size() == 1 ? done.at(0).at(0).toBool() : -2;
    }
    QStringList leftovers() const
    {
        return QDir(env.root() + "/IMLog").entryList({"PC-*"}, QDir::Files);
    }
};

} // namespace

class tst_LogUploadRun : public QObject
{
    Q_OBJECT
private slots:
    void windowsArmOneUpload();
    void chainUploadsAndRegisters();
    void failureAtEachStepCleansUp();
    void archiveLimitIsOneMebibyte();
};

void tst_LogUploadRun::windowsArmOneUpload()
{
    LogCapture capture;
    QTime now;
    LogUploadSchedule schedule;
    schedule.setClock([&now] { return QDateTime(QDate(2024, 3, 5), now); });
    schedule.setRandom([](quint32) { return quint32(1800 + 42); });
    QSignalSpy due(&schedule, &LogUploadSchedule::uploadDue);
    schedule.start();

    now = QTime(10, 31);
    schedule.slot_uploadLogTimeOut();
    QVERIFY(!schedule.isArmed());
    QCOMPARE(schedule.interval(), LogUploadSchedule::TickMs);
    now = QTime(14, 29, 59);
    schedule.slot_uploadLogTimeOut();
    QVERIFY(!schedule.isArmed());

    now = QTime(10, 30, 59);
    schedule.slot_uploadLogTimeOut();
    QVERIFY(schedule.isArmed());
    QCOMPARE(schedule.interval(), 42000);
    QCOMPARE(due.size(), 0);
    // The armed tick uploads whatever the time, and the half-hour rhythm resumes.
    now = QTime(23, 0);
    schedule.slot_uploadLogTimeOut();
    QCOMPARE(due.size(), 1);
    QVERIFY(!schedule.isArmed());
    QCOMPARE(schedule.interval(), LogUploadSchedule::TickMs);
    QVERIFY(schedule.isActive());

    now = QTime(14, 30);
    schedule.slot_uploadLogTimeOut();
    QVERIFY(schedule.isArmed());
}

void tst_LogUploadRun::chainUploadsAndRegisters()
{
    LogCapture capture;
    Fixture f;
    const QString cwd = QDir::currentPath();
    QCOMPARE(f.run(f.target()), 1);
    QCOMPARE(f.server.paths(), QStringList({"/point", "/file", "/objid", "/register"}));
    QCOMPARE(QDir::currentPath(), cwd);

    const QByteArray auth = HttpUploadLog::authorization("zs", "pw");
    QCOMPARE(auth, "Basic " + QByteArray("zs:" + QCryptographicHash::hash("pw", QCryptographicHash::Md5).toHex()).toBase64());
    for (const auto &s : f.server.seen)
        QCOMPARE(s.headers.value("authorization"), auth);

    const auto point = f.server.seen.at(0).form();
    QCOMPARE(point["filename"], QString("PC-张三-20240305102030.zip"));
    QCOMPARE(point["filetype"], QString("zip"));
    const QByteArray file = f.server.seen.at(1).body;
    const int partStart = file.indexOf("\r\n\r\n") + 4;
    QCOMPARE(point["filesize"].toInt(), file.lastIndexOf("\r\n--") - partStart);
    QVERIFY(file.mid(partStart, 2) == "PK");
    // Separators of the service literal, the values' own "," "*" "&" encoded.
    QCOMPARE(f.server.seen.at(1).query,
             QString("req_params=requestId*r%201%2Cx%2Ay,salAccessKeyId*k%261,policy*private,"
                     "callbackUri*http%3A%2F%2Fcb%2F%3Fa%3D1,userId*zs"));
    QVERIFY(file.contains("Content-Disposition: form-data; name=\"uploadfile\"; filename=\""
                          + QTextCodec::codecForName("GBK")->fromUnicode("PC-张三-20240305102030.zip") + "\""));
    QVERIFY(f.server.seen.at(1).headers.value("content-type").startsWith("multipart/form-data; boundary="));
    QCOMPARE(f.server.seen.at(2).form()["requestId"], QString("r 1,x*y"));
    const auto reg = f.server.seen.at(3).form();
    QCOMPARE(reg["objectId"], QString("obj-7"));
    QCOMPARE(reg["fileName"], QString("PC-张三-20240305102030.zip"));
    QCOMPARE(reg["clientType"], QString("1"));

    // Copy and archive gone, the custom log started afresh without the packed line.
    QVERIFY(f.leftovers().isEmpty());
    const QByteArray fresh = TestEnvironment::readText(f.logPath);
    QVERIFY(fresh.contains("第一条日志"));
    QVERIFY(!fresh.contains("line one"));
}

void tst_LogUploadRun::failureAtEachStepCleansUp()
{
    LogCapture capture;
    // One refusal per step; how each answer is read is the reply parser's test.
    struct Case {
        const char *name;
        QString path;
        Answer answer;
        QStringList reached;
    };
    const QList<Case> cases = {
        {"point garbage", "/point", json("<html>"), {"/point"}},
        {"point 500", "/point", {500, "{}", {}, 0, false}, {"/point"}},
        {"point too late", "/point", {200, "{}", {}, 1500, false}, {"/point"}},
        {"file ZQRetCode", "/file", json("{}", {{"ZQRetCode", "ZQ_5"}, {"ZQRetMsg", "full"}}), {"/point", "/file"}},
        {"file 404", "/file", {404, "", {}, 0, false}, {"/point", "/file"}},
        {"file dropped", "/file", {200, "", {}, 0, true}, {"/point", "/file"}},
        {"object code", "/objid", json(R"({"code":3,"objectId":"x"})"), {"/point", "/file", "/objid"}},
        {"register 10005", "/register", json(R"({"code":0,"data":{"code":"10005"}})"),
         {"/point", "/file", "/objid", "/register"}},
    };
    for (const Case &c : cases) {
        Fixture f;
        QVERIFY(TestEnvironment::readText(f.logPath).contains("line one"));
        f.server.answer(c.path, c.answer);
        QVERIFY2(f.run(f.target()) == 0, c.name);
        // Nothing resent, no step after the failing one.
        QVERIFY2(f.server.paths() == c.reached, c.name);
        QVERIFY2(f.leftovers().isEmpty(), c.name);
    }

    // A missing file header is no failure; an empty object-id service is.
    Fixture noHeader;
    noHeader.server.answer("/file", json("{}"));
    QCOMPARE(noHeader.run(noHeader.target()), 1);
    Fixture noObjectUrl;
    auto t = noObjectUrl.target();
    t.objectIdUrl.clear();
    QCOMPARE(noObjectUrl.run(t), 0);
    QCOMPARE(noObjectUrl.server.paths(), QStringList({"/point", "/file"}));

    // No custom log: nothing sent, nothing left.
    Fixture noLog;
    noLog.log.close();
    QFile::remove(noLog.logPath);
    QCOMPARE(noLog.run(noLog.target()), 0);
    QVERIFY(noLog.server.seen.isEmpty());
}

void tst_LogUploadRun::archiveLimitIsOneMebibyte()
{
    LogCapture capture;
    TestEnvironment env;
    QVERIFY(TestEnvironment::writeText(env.root() + "/exact.zip", QByteArray(LogUploadRun::MaxArchiveBytes, 'z')));
    QVERIFY(TestEnvironment::writeText(env.root() + "/over.zip", QByteArray(LogUploadRun::MaxArchiveBytes + 1, 'z')));
    QVERIFY(LogUploadRun::fitsUpload(env.root() + "/exact.zip"));
    QVERIFY(!LogUploadRun::fitsUpload(env.root() + "/over.zip"));
    QVERIFY(!LogUploadRun::fitsUpload(env.root() + "/none.zip"));

    // A log that packs beyond the limit: dropped before any request, no files left.
    Fixture f;
    QByteArray noise(LogUploadRun::MaxArchiveBytes * 13 / 10, 0);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
    f.log.log("I", "f", QString::fromLatin1(noise.toBase64()), "l");
    QCOMPARE(f.run(f.target()), 0);
    QVERIFY(f.server.seen.isEmpty());
    QVERIFY(f.leftovers().isEmpty());
}

QTEST_GUILESS_MAIN(tst_LogUploadRun)
#include "tst_LogUploadRun.moc"
