#pragma once

#include <QtGlobal>

// The process's CPU load and memory and the machine's memory, as the monitor's run
// samples report them.
class ProcessSampler
{
public:
    struct Sample {
        double cpuPercent = 0;     // since the previous sample, over all processors
        quint64 totalMemory = 0;   // physical memory of the machine, bytes
        quint64 workingSet = 0;    // resident size of the process, bytes
    };

    // The first sample measures against the process start.
    ProcessSampler();
    Sample take();

    // 0 when no wall time passed or the processor count is unknown, never a division by zero.
    static double loadPercent(qint64 cpuMicros, qint64 wallMicros, long processors);
    static qint64 cpuMicros();
    static qint64 monotonicMicros();
    static long processorCount();
    static quint64 totalMemory();
    static quint64 residentBytes();

private:
    qint64 m_lastCpu = 0;
    qint64 m_lastWall = 0;
};
