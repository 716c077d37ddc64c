#pragma once

#include <lumio/SharedLog.h>

#include <QString>

// The diagnostic log, Debug.log, written through log4cxx; the shared log object
// that every plug-in receives.
class DiagnosticLog : public SharedLog
{
public:
    DiagnosticLog();
    ~DiagnosticLog() override;

    // Configures log4cxx from cfgPath. log4cxx reads the file as Latin-1, so a
    // non-ASCII debugLogPath is set on the "R" appender in code instead.
    static bool configure(const QString &cfgPath, const QString &debugLogPath, QString *error);
    static void shutdown();

    void write(Level level, const QString &text, const char *file, int line,
               const char *function) override;
    void writeCustom(const QString &level, const QString &function,
                     const QString &message, const QString &location) override;
};
