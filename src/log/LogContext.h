#pragma once

#include "CustomLogFormat.h"

#include <lumio/SharedLog.h>

#include <QMutex>
#include <QString>

#include <memory>
#include <string>

class CMonitorLogger;
class CustomLogger;
class QFont;

namespace log4cxx {
class Level;
class Logger;
class logstream;
namespace spi { class LocationInfo; }
typedef std::shared_ptr<Level> LevelPtr;
typedef std::shared_ptr<Logger> LoggerPtr;
} // namespace log4cxx

// The process-wide logging objects made at start-up; as SharedLog it is the
// object every plug-in writes through, into Debug.log and CustomLog.csv.
class LogContext : public SharedLog
{
public:
    LogContext();
    ~LogContext() override;
    LogContext(const LogContext &) = delete;
    LogContext &operator=(const LogContext &) = delete;

    // Configures log4cxx from a property file; false (and the reason) when it is
    // missing or unreadable. Values are read as UTF-8, not as log4cxx's Latin-1.
    static bool configure(const QString &cfgPath, QString *error);
    static void shutdown();

    // Makes context the one LibLog, CLogManger and the shell's LOG_* macros use.
    static void publish(LogContext *context);
    static LogContext *published();

    void write(Level level, const QString &text, const char *file, int line,
               const char *function) override;
    void writeCustom(const QString &level, const QString &function,
                     const QString &message, const QString &location) override;
    // One whole Debug.log line through the unnamed logger.
    void writeLine(const log4cxx::LevelPtr &level, const std::string &text,
                   const log4cxx::spi::LocationInfo &location);

    log4cxx::LoggerPtr logger() const;
    log4cxx::LoggerPtr rootLogger() const;
    // For stream-style logging on the GUI thread; null once destroyed at shutdown.
    // Lines are not routed through it: log4cxx 1.0's stream drops the short file name.
    log4cxx::logstream *stream() const { return m_stream.get(); }
    void destroyStream();

    bool openCustomLog(const QString &path, const CustomLogFormat &format = CustomLogFormat::shipped());
    CustomLogger *customLogger() const;
    void closeCustomLog();

    int option() const { return m_option; }
    void setOption(int option) { m_option = option; }

    // Kept at 12 px and antialiased, whatever font is given.
    void setAppFont(const QFont &font);
    const QFont *appFont() const { return m_appFont.get(); }

    CMonitorLogger *monitorLogger() const { return m_monitorLogger; }
    void setMonitorLogger(CMonitorLogger *monitor) { m_monitorLogger = monitor; }

private:
    std::unique_ptr<log4cxx::logstream> m_stream;
    log4cxx::LoggerPtr m_logger;
    log4cxx::LoggerPtr m_rootLogger;
    int m_option = 0;
    std::unique_ptr<CustomLogger> m_customLogger;
    std::unique_ptr<QFont> m_appFont;
    CMonitorLogger *m_monitorLogger = nullptr;
    mutable QMutex m_customMutex;
};
