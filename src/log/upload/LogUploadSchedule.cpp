#include "LogUploadSchedule.h"

#include "log/ShellLog.h"

#include <QRandomGenerator>
#include <QTimer>

LogUploadSchedule::LogUploadSchedule(QObject *parent)
    : QObject(parent)
    , m_timer(new QTimer(this))
    , m_clock([] { return QDateTime::currentDateTime(); })
    , m_random([](quint32 seed) { return QRandomGenerator(seed).generate(); })
{
    connect(m_timer, &QTimer::timeout, this, &LogUploadSchedule::slot_uploadLogTimeOut);
}

void LogUploadSchedule::start()
{
    m_timer->start(TickMs);
}

bool LogUploadSchedule::inWindow(const QTime &time)
{
    return (time.hour() == 10 && time.minute() <= 30) || (time.hour() == 14 && time.minute() >= 30);
}

int LogUploadSchedule::interval() const
{
    return m_timer->interval();
}

bool LogUploadSchedule::isActive() const
{
    return m_timer->isActive();
}

void LogUploadSchedule::slot_uploadLogTimeOut()
{
    if (m_armed) {
        m_timer->stop();
        m_armed = false;
        m_timer->start(TickMs);
        emit uploadDue();
        return;
    }
    const QTime now = m_clock().time();
    if (!inWindow(now))
        return;
    m_timer->stop();
    const int delay = int(m_random(quint32(now.msec())) % MaxDelaySeconds);
    m_armed = true;
    LOG_INFO(QStringLiteral("LogUploadSchedule: log upload in %1 s").arg(delay));
    // A zero delay still goes through the event loop, never recursively.
    m_timer->start(delay * 1000);
}
