#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

class ProcessSampler;
class QTimer;

// Collects run samples and the records the shell and plug-ins hand in, and sends them
// in batches to the beacon server. Nothing is kept on disk and nothing is resent.
class CMonitorLogger : public QObject
{
    Q_OBJECT
public:
    enum class Upload { Performance, Crash, Custom };
    using Record = QStringList;
    using EndpointSource = std::function<QString(Upload)>;

    static constexpr int RunIntervalMs = 60000;
    static constexpr int BatchSize = 30;
    static constexpr int HttpFieldCount = 9;
    static constexpr int SystemFieldCount = 13;
    static constexpr char Salt[] = "qx_beacons";
    // Stands in for "|" and "#" inside a value, which would otherwise split or join fields.
    static constexpr char Substitute[] = "_";
    static constexpr char TimeFormat[] = "yyyyMMddhhmmsszzz";

    explicit CMonitorLogger(QObject *parent = nullptr);
    ~CMonitorLogger() override;

    // Asked just before each upload, so allurl.ini stays the one place for addresses.
    void setEndpoints(EndpointSource source) { m_endpoints = std::move(source); }
    void setUploadTimeout(int ms) { m_uploadTimeoutMs = ms; }
    void start(int intervalMs = RunIntervalMs);

    // Fields 2, 4, 6 and 9 to 13 (1-based) are the callers'; false for the others.
    bool setSystemField(int number, const QString &text);
    Record systemRecord() const { return m_system; }
    void setStartTime(const QString &time) { m_startTime = time; }
    void setEndTime(const QString &time) { m_endTime = time; }

    void addHttpRecord(const Record &record);
    void addPerfRecord(const Record &record);
    void addCustomRecord(const Record &record);
    void setCrashTexts(const QString &first, const QString &second);
    // At exit: a last sample, then the pending batches sent synchronously.
    void flush();

    int perfCount() const { return m_perfCount; }
    int customCount() const { return m_customCount; }
    int pendingRunSamples() const { return int(m_run.size()); }

    // Fields joined with "|", records with "#@#", separators in values substituted.
    static QString frame(const QList<Record> &records);
    static QString frameRecord(const Record &record);
    static QString signature(const QString &framedData);

signals:
    void uploadFinished(CMonitorLogger::Upload kind, bool success);

public slots:
    void slot_runTimeout();

private:
    void uploadPerformance(bool asynchronous);
    void uploadCustom(bool asynchronous);
    void uploadCrash();
    void send(Upload kind, const QByteArray &body, bool asynchronous);
    void countPerf(bool force);
    Record runSample();
    void fillSystemRecord();

    QList<Record> m_run;
    QList<Record> m_http;
    QList<Record> m_perf;
    QList<Record> m_custom;
    Record m_crash;
    int m_perfCount = 0;
    int m_customCount = 0;
    Record m_system;
    QString m_startTime;
    QString m_endTime;
    quint64 m_samples = 0;
    QTimer *m_timer;
    std::unique_ptr<ProcessSampler> m_sampler;
    EndpointSource m_endpoints;
    int m_uploadTimeoutMs;
};
