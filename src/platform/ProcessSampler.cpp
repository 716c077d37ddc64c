#include "ProcessSampler.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <sys/resource.h>
#include <sys/sysinfo.h>
#include <time.h>
#include <unistd.h>

namespace {

qint64 micros(const timeval &t)
{
    return qint64(t.tv_sec) * 1000000 + t.tv_usec;
}

// Boot-clock time at which the process started, from field 22 of /proc/self/stat;
// 0 when unreadable.
qint64 processStartBootMicros()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    // The command name may hold blanks and parentheses; fields count from its closing one.
    const int close = text.lastIndexOf(')');
    if (close < 0)
        return 0;
    const QList<QByteArray> fields = text.mid(close + 2).split(' ');
    // Field 3 (state) is the first after the name, so field 22 is index 19.
    if (fields.size() < 20)
        return 0;
    bool ok = false;
    const qint64 ticks = fields.at(19).toLongLong(&ok);
    const long hz = sysconf(_SC_CLK_TCK);
    return ok && hz > 0 ? ticks * 1000000 / hz : 0;
}

} // namespace

ProcessSampler::ProcessSampler()
{
    timespec boot{};
    const qint64 start = processStartBootMicros();
    if (start > 0 && clock_gettime(CLOCK_BOOTTIME, &boot) == 0) {
        const qint64 age = qint64(boot.tv_sec) * 1000000 + boot.tv_nsec / 1000 - start;
        m_lastWall = monotonicMicros() - qMax<qint64>(age, 0);
        m_lastCpu = 0;
    } else {
        m_lastWall = monotonicMicros();
        m_lastCpu = cpuMicros();
    }
}

ProcessSampler::Sample ProcessSampler::take()
{
    const qint64 cpu = cpuMicros();
    const qint64 wall = monotonicMicros();
    Sample sample;
    sample.cpuPercent = loadPercent(cpu - m_lastCpu, wall - m_lastWall, processorCount());
    sample.totalMemory = totalMemory();
    sample.workingSet = residentBytes();
    m_lastCpu = cpu;
    m_lastWall = wall;
    return sample;
}

double ProcessSampler::loadPercent(qint64 cpuMicros, qint64 wallMicros, long processors)
{
    if (wallMicros <= 0 || processors <= 0 || cpuMicros < 0)
        return 0;
    return double(cpuMicros) / double(wallMicros) / double(processors) * 100.0;
}

qint64 ProcessSampler::cpuMicros()
{
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0)
        return 0;
    return micros(usage.ru_utime) + micros(usage.ru_stime);
}

qint64 ProcessSampler::monotonicMicros()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

long ProcessSampler::processorCount()
{
    const long count = sysconf(_SC_NPROCESSORS_ONLN);
    return count > 0 ? count : 1;
}

quint64 ProcessSampler::totalMemory()
{
    struct sysinfo info{};
    if (sysinfo(&info) != 0)
        return 0;
    return quint64(info.totalram) * info.mem_unit;
}

quint64 ProcessSampler::residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    if (fields.size() < 2)
        return 0;
    const long page = sysconf(_SC_PAGESIZE);
    return fields.at(1).toULongLong() * quint64(page > 0 ? page : 4096);
}
