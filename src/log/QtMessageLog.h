#pragma once

#include <lumio/SharedLog.h>

// A log that writes through Qt's message handler; used before log files exist.
class QtMessageLog : public SharedLog
{
public:
    void write(Level level, const QString &text, const char *file, int line,
               const char *function) override;
    void writeCustom(const QString &level, const QString &function,
                     const QString &message, const QString &location) override;
};
