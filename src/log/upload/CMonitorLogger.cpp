#include "CMonitorLogger.h"

#include "HttpMonitorLog.h"
#include "log/ShellLog.h"
#include "platform/ProcessSampler.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDebug>
#include <QNetworkInterface>
#include <QSysInfo>
#include <QTimer>
#include <QUrl>

namespace {

const QString RecordSeparator = QStringLiteral("#@#");

QString macAddress()
{
    for (const QNetworkInterface &iface : QNetworkInterface::allInterfaces()) {
        if (!iface.isValid() || iface.flags().testFlag(QNetworkInterface::IsLoopBack))
            continue;
        const QString mac = iface.hardwareAddress();
        if (!mac.isEmpty() && mac != QLatin1String("00:00:00:00:00:00"))
            return mac;
    }
    return QString();
}

QString localIpv4()
{
    for (const QNetworkInterface &iface : QNetworkInterface::allInterfaces()) {
        const auto flags = iface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry &entry : iface.addressEntries()) {
            const QHostAddress ip = entry.ip();
            if (!ip.isNull() && ip.protocol() == QAbstractSocket::IPv4Protocol && !ip.isLoopback())
                return ip.toString();
        }
    }
    return QString();
}

QByteArray encoded(const QString &text)
{
    return QUrl::toPercentEncoding(text);
}

} // namespace

CMonitorLogger::CMonitorLogger(QObject *parent)
    : QObject(parent)
    , m_timer(new QTimer(this))
    , m_sampler(std::make_unique<ProcessSampler>())
    , m_uploadTimeoutMs(HttpMonitorLog::DefaultTimeoutMs)
{
    fillSystemRecord();
    m_timer->setInterval(RunIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &CMonitorLogger::slot_runTimeout);
}

CMonitorLogger::~CMonitorLogger() = default;

void CMonitorLogger::start(int intervalMs)
{
    m_timer->start(intervalMs);
}

void CMonitorLogger::fillSystemRecord()
{
    m_system = Record(SystemFieldCount);
    m_system[0] = QStringLiteral("TavrinIM_PC");
    m_system[2] = QStringLiteral("PC");
    m_system[4] = QSysInfo::prettyProductName();
    m_system[6] = macAddress();
    m_system[7] = localIpv4();
}

bool CMonitorLogger::setSystemField(int number, const QString &text)
{
    static const QList<int> callers{2, 4, 6, 9, 10, 11, 12, 13};
    if (!callers.contains(number)) {
        LOG_WARN(QStringLiteral("CMonitorLogger: system field %1 is not the caller's").arg(number));
        return false;
    }
    m_system[number - 1] = text;
    return true;
}

void CMonitorLogger::addHttpRecord(const Record &record)
{
    Record fixed = record;
    if (fixed.size() != HttpFieldCount) {
        LOG_WARN(QStringLiteral("CMonitorLogger: HTTP record of %1 fields, %2 expected")
                     .arg(fixed.size()).arg(HttpFieldCount));
        // Extra texts are kept in the last field rather than dropped.
        while (fixed.size() > HttpFieldCount)
            fixed[HttpFieldCount - 1] += QLatin1Char(' ') + fixed.takeAt(HttpFieldCount);
        while (fixed.size() < HttpFieldCount)
            fixed.append(QString());
    }
    m_http.append(fixed);
    countPerf(!fixed.last().isEmpty());
}

void CMonitorLogger::addPerfRecord(const Record &record)
{
    m_perf.append(record);
    countPerf(false);
}

void CMonitorLogger::addCustomRecord(const Record &record)
{
    m_custom.append(record);
    if (++m_customCount >= BatchSize)
        uploadCustom(true);
}

void CMonitorLogger::setCrashTexts(const QString &first, const QString &second)
{
    m_crash = Record{first, second};
    uploadCrash();
}

void CMonitorLogger::slot_runTimeout()
{
    m_run.append(runSample());
    countPerf(false);
}

void CMonitorLogger::countPerf(bool force)
{
    if (++m_perfCount >= BatchSize || force)
        uploadPerformance(true);
}

void CMonitorLogger::flush()
{
    qDebug().noquote() << "CMonitorLogger::flush(),程序结束前，同步上传日志.";
    m_timer->stop();
    m_run.append(runSample());
    uploadPerformance(false);
    if (!m_custom.isEmpty())
        uploadCustom(false);
    m_run.clear();
    m_http.clear();
    m_perf.clear();
    m_custom.clear();
    m_crash.clear();
}

CMonitorLogger::Record CMonitorLogger::runSample()
{
    const ProcessSampler::Sample sample = m_sampler->take();
    return Record{m_startTime,
                  m_endTime,
                  QString::number(++m_samples),
                  QDateTime::currentDateTime().toString(QLatin1String(TimeFormat)),
                  QString::number(sample.cpuPercent, 'f', 2),
                  QString::number(sample.totalMemory),
                  QString::number(sample.workingSet)};
}

void CMonitorLogger::uploadPerformance(bool asynchronous)
{
    const QString sys = frameRecord(m_system);
    const QString run = frame(m_run);
    const QString http = frame(m_http);
    const QString perf = frame(m_perf);
    const QByteArray body = "sys_data=" + encoded(sys) + "&run_data=" + encoded(run)
        + "&http_data=" + encoded(http) + "&perf_data=" + encoded(perf)
        + "&sign=" + encoded(signature(sys + run + http + perf));
    m_perfCount = 0;
    m_run.clear();
    m_http.clear();
    m_perf.clear();
    send(Upload::Performance, body, asynchronous);
}

void CMonitorLogger::uploadCustom(bool asynchronous)
{
    const QString custom = frame(m_custom);
    const QByteArray body = "custom_data=" + encoded(custom) + "&sign=" + encoded(signature(custom));
    m_customCount = 0;
    m_custom.clear();
    send(Upload::Custom, body, asynchronous);
}

void CMonitorLogger::uploadCrash()
{
    const QString crash = frameRecord(m_crash);
    const QByteArray body = "crash_data=" + encoded(crash) + "&sign=" + encoded(signature(crash));
    m_crash.clear();
    send(Upload::Crash, body, true);
}

void CMonitorLogger::send(Upload kind, const QByteArray &body, bool asynchronous)
{
    const QString url = m_endpoints ? m_endpoints(kind) : QString();
    auto *upload = new HttpMonitorLog(this);
    upload->setTimeout(m_uploadTimeoutMs);
    connect(upload, &HttpMonitorLog::signal_uploadFinished, this, [this, upload, kind](bool ok) {
        // The batch is gone either way: a late answer usually means the server kept it.
        upload->deleteLater();
        emit uploadFinished(kind, ok);
    });
    upload->uploadMonitorLog(url, body, asynchronous);
}

QString CMonitorLogger::frameRecord(const Record &record)
{
    QStringList fields;
    fields.reserve(record.size());
    for (QString field : record) {
        field.replace(QLatin1Char('|'), QLatin1String(Substitute));
        field.replace(QLatin1Char('#'), QLatin1String(Substitute));
        fields.append(field);
    }
    return fields.join(QLatin1Char('|'));
}

QString CMonitorLogger::frame(const QList<Record> &records)
{
    QStringList framed;
    framed.reserve(records.size());
    for (const Record &record : records)
        framed.append(frameRecord(record));
    return framed.join(RecordSeparator);
}

QString CMonitorLogger::signature(const QString &framedData)
{
    const QByteArray salted = framedData.toUtf8() + QByteArray(Salt);
    return QString::fromLatin1(QCryptographicHash::hash(salted, QCryptographicHash::Md5).toHex());
}
