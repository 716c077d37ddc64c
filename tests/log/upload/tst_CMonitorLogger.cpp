// test-flags: LIBS Qt6::HttpServer
#include "LogCapture.h"
#include "LoopbackHttpServer.h"
#include "log/upload/CMonitorLogger.h"
#include "platform/ProcessSampler.h"

#include <QCryptographicHash>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>

using Upload = CMonitorLogger::Upload;

namespace {

QString md5(const QString &text)
{
    return QString::fromLatin1(QCryptographicHash::hash((text + "qx_beacons").toUtf8(),
                                                        QCryptographicHash::Md5).toHex());
}

QStringList httpRecord(const QString &url, const QString &error = QString())
{
    return {url, "POST", "200", "12", "20240101", "a", "b", "c", error};
}

void point(CMonitorLogger &monitor, const LoopbackHttpServer &server)
{
    monitor.setEndpoints([&server](Upload kind) {
        switch (kind) {
        case Upload::Performance: return server.url("/perf");
        case Upload::Crash: return server.url("/crash");
        case Upload::Custom: return server.url("/custom");
        }
        return QString();
    });
}

} // namespace

class tst_CMonitorLogger : public QObject
{
    Q_OBJECT
private slots:
    void thirtiethRecordSendsSignedBatch();
    void errorTextCustomAndCrashGoAtOnce();
    void flushSendsPendingSynchronously();
    void failuresAndLateReplyReportOnce();
    void cpuLoadNeverDividesByZero();
};

void tst_CMonitorLogger::thirtiethRecordSendsSignedBatch()
{
    LogCapture log;
    LoopbackHttpServer server;
    QVERIFY(server.isListening());
    CMonitorLogger monitor;
    point(monitor, server);
    QSignalSpy done(&monitor, &CMonitorLogger::uploadFinished);
    QVERIFY(monitor.setSystemField(2, "user|1#x"));
    QVERIFY(!monitor.setSystemField(1, "app id is ours"));

    for (int i = 0; i < 28; ++i)
        monitor.addPerfRecord({QString::number(i), "open&chat=1"});
    monitor.addHttpRecord(httpRecord("http://h/a?x=1|2#@#3"));
    QCOMPARE(monitor.perfCount(), 29);
    QTest::qWait(50);
    QCOMPARE(server.seen.size(), 0);
    monitor.addPerfRecord({"last", "终"});
    QCOMPARE(monitor.perfCount(), 0);
    QTRY_COMPARE(done.size(), 1);
    QCOMPARE(done.at(0).at(1).toBool(), true);

    QCOMPARE(server.seen.size(), 1);
    const auto &request = server.seen.first();
    QCOMPARE(request.path, QString("/perf"));
    QCOMPARE(request.headers.value("content-type"), QByteArray("application/x-www-form-urlencoded"));
    const auto fields = request.form();
    QCOMPARE(fields.keys(), QStringList({"http_data", "perf_data", "run_data", "sign", "sys_data"}));
    QCOMPARE(fields["sign"], md5(fields["sys_data"] + fields["run_data"] + fields["http_data"] + fields["perf_data"]));
    const QStringList sys = fields["sys_data"].split('|');
    QCOMPARE(sys.size(), 13);
    QCOMPARE(sys.at(0), QString("TavrinIM_PC"));
    QCOMPARE(sys.at(1), QString("user_1_x"));
    QCOMPARE(sys.at(2), QString("PC"));
    // Separators inside a value cannot make a new field or record.
    QCOMPARE(fields["http_data"], QString("http://h/a?x=1_2_@_3|POST|200|12|20240101|a|b|c|"));
    const QStringList perf = fields["perf_data"].split("#@#");
    QCOMPARE(perf.size(), 29);
    QCOMPARE(perf.first(), QString("0|open&chat=1"));
    QCOMPARE(perf.last(), QString("last|终"));
    QVERIFY(fields["run_data"].isEmpty());

    // Counting restarts: one more record sends nothing.
    monitor.addPerfRecord({"again"});
    QTest::qWait(50);
    QCOMPARE(server.seen.size(), 1);
}

void tst_CMonitorLogger::errorTextCustomAndCrashGoAtOnce()
{
    LogCapture log;
    LoopbackHttpServer server;
    server.answer("/perf", {204, {}, {}, 0, false});
    CMonitorLogger monitor;
    point(monitor, server);
    QSignalSpy done(&monitor, &CMonitorLogger::uploadFinished);

    monitor.addHttpRecord(httpRecord("http://cloud/q", "Http请求超时!"));
    QCOMPARE(monitor.perfCount(), 0);
    QTRY_COMPARE(done.size(), 1);
    // 204 is no success: only 200 is.
    QCOMPARE(done.at(0).at(1).toBool(), false);
    QVERIFY(server.seen.at(0).form()["http_data"].endsWith("|Http请求超时!"));

    // A short record is padded, so the error text stays the ninth field.
    monitor.addHttpRecord({"only", "three", "texts"});
    QCOMPARE(monitor.perfCount(), 1);

    for (int i = 0; i < 29; ++i)
        monitor.addCustomRecord({"c", QString::number(i)});
    QCOMPARE(monitor.customCount(), 29);
    monitor.addCustomRecord({"c", "29"});
    QCOMPARE(monitor.customCount(), 0);
    monitor.setCrashTexts("20240101|dump", "SIGSEGV");
    QTRY_COMPARE(done.size(), 3);
    QCOMPARE(server.seen.size(), 3);
    QMap<QString, QMap<QString, QString>> byPath;
    for (const auto &seen : server.seen)
        byPath[seen.path] = seen.form();
    QCOMPARE(byPath["/custom"]["custom_data"].split("#@#").size(), 30);
    QCOMPARE(byPath["/custom"]["sign"], md5(byPath["/custom"]["custom_data"]));
    QCOMPARE(byPath["/crash"]["crash_data"], QString("20240101_dump|SIGSEGV"));
    QCOMPARE(byPath["/crash"]["sign"], md5("20240101_dump|SIGSEGV"));
}

void tst_CMonitorLogger::flushSendsPendingSynchronously()
{
    LogCapture log;
    LoopbackHttpServer server;
    CMonitorLogger monitor;
    point(monitor, server);
    monitor.setStartTime("20240101090000000");
    monitor.setEndTime("20240101180000000");
    for (int i = 0; i < 29; ++i)
        monitor.slot_runTimeout();
    monitor.addCustomRecord({"pending"});
    QCOMPARE(monitor.perfCount(), 29);
    QCOMPARE(server.seen.size(), 0);

    monitor.flush();
    // Both went out before flush returned, the performance batch first.
    QCOMPARE(server.seen.size(), 2);
    QCOMPARE(server.seen.at(0).path, QString("/perf"));
    QCOMPARE(server.seen.at(1).path, QString("/custom"));
    const QStringList run = server.seen.at(0).form()["run_data"].split("#@#");
    QCOMPARE(run.size(), 30);
    for (const QString &sample : run) {
        const QStringList f = sample.split('|');
        QCOMPARE(f.size(), 7);
        QCOMPARE(f.at(0), QString("20240101090000000"));
        QCOMPARE(f.at(1), QString("20240101180000000"));
        QCOMPARE(f.at(3).size(), 17);
        bool ok = false;
        const double cpu = f.at(4).toDouble(&ok);
        QVERIFY(ok && std::isfinite(cpu) && cpu >= 0);
        QVERIFY(f.at(5).toULongLong() > 0);
        QVERIFY(f.at(6).toULongLong() > 0);
    }
    QCOMPARE(monitor.pendingRunSamples(), 0);

    // Nothing pending but the last sample: no custom upload.
    monitor.flush();
    QCOMPARE(server.seen.size(), 3);
}

void tst_CMonitorLogger::failuresAndLateReplyReportOnce()
{
    LogCapture log;
    LoopbackHttpServer server;
    CMonitorLogger monitor;
    point(monitor, server);
    monitor.setUploadTimeout(150);
    QSignalSpy done(&monitor, &CMonitorLogger::uploadFinished);

    server.answer("/perf", {500, "down", {}, 0, false});
    monitor.addHttpRecord(httpRecord("u", "e"));
    QTRY_COMPARE(done.size(), 1);
    QCOMPARE(done.last().at(1).toBool(), false);

    server.answer("/perf", {200, {}, {}, 0, true});
    monitor.addHttpRecord(httpRecord("u", "e"));
    QTRY_COMPARE(done.size(), 2);
    QCOMPARE(done.last().at(1).toBool(), false);

    // Answered after the time-out: one failure, and the late bytes touch nothing.
    server.answer("/perf", {200, "ok", {}, 600, false});
    monitor.addHttpRecord(httpRecord("u", "e"));
    QTRY_COMPARE(done.size(), 3);
    QCOMPARE(done.last().at(1).toBool(), false);
    QVERIFY(log.contains("HttpMonitorLog::slot_uploadTimeout(),监控日志上传超时!"));
    QTest::qWait(800);
    QCOMPARE(done.size(), 3);
    // Not resent: the server saw each batch once.
    QCOMPARE(server.seen.size(), 3);

    // Synchronous and too late: flush returns after the time-out, still one report.
    monitor.flush();
    QCOMPARE(done.size(), 4);
    QTest::qWait(700);
    QCOMPARE(done.size(), 4);

    CMonitorLogger nowhere;
    QSignalSpy lost(&nowhere, &CMonitorLogger::uploadFinished);
    nowhere.addHttpRecord(httpRecord("u", "no endpoint"));
    QTRY_COMPARE(lost.size(), 1);
    QCOMPARE(lost.at(0).at(1).toBool(), false);
}

void tst_CMonitorLogger::cpuLoadNeverDividesByZero()
{
    QCOMPARE(ProcessSampler::loadPercent(5000, 0, 2), 0.0);
    QCOMPARE(ProcessSampler::loadPercent(5000, -3, 2), 0.0);
    QCOMPARE(ProcessSampler::loadPercent(5000, 10000, 0), 0.0);
    QCOMPARE(ProcessSampler::loadPercent(5000, 10000, 2), 25.0);
    ProcessSampler sampler;
    const double first = sampler.take().cpuPercent; // against the process start
    const double second = sampler.take().cpuPercent; // usually the same microsecond
    QVERIFY(std::isfinite(first) && first >= 0);
    QVERIFY(std::isfinite(second) && second >= 0);
}

QTEST_GUILESS_MAIN(tst_CMonitorLogger)
#include "tst_CMonitorLogger.moc"
