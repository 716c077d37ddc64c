#pragma once

#include <QString>

// The shell's log as handed to every plug-in, so that all write to the same files.
// Plug-ins see only this Qt interface, never the logging library behind it.
class SharedLog
{
public:
    enum class Level { Trace, Debug, Info, Warn, Error, Fatal };

    virtual ~SharedLog() = default;

    virtual void write(Level level, const QString &text, const char *file, int line,
                       const char *function) = 0;
    // One line of the custom CSV log; level is "I", "W" or "E".
    virtual void writeCustom(const QString &level, const QString &function,
                             const QString &message, const QString &location) = 0;
};

#define LUMIO_SHARED_LOG(log, level, text) \
    do { if (log) (log)->write(SharedLog::Level::level, (text), __FILE__, __LINE__, __PRETTY_FUNCTION__); } while (0)
