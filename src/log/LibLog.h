#pragma once

#include "LogContext.h"

#include <log4cxx/level.h>
#include <log4cxx/spi/location/locationinfo.h>

#include <QMutex>
#include <QString>

#include <cstdarg>
#include <string>

#define LIBLOG_PRINTF(formatIndex, firstArgument) __attribute__((format(printf, formatIndex, firstArgument)))

// The shell's printf-style writers into Debug.log, for code that logs with a
// log4cxx level and location rather than through SharedLog.
class LibLog
{
public:
    // Formatted messages keep at most BufferSize - 1 bytes; longer ones are cut.
    static constexpr int BufferSize = 1024;

    static LibLog *instance();
    // Takes the loggers from context when it has them, else from log4cxx.
    explicit LibLog(const LogContext *context = LogContext::published());
    LibLog(const LibLog &) = delete;
    LibLog &operator=(const LibLog &) = delete;

    // One whole line: the level, the text (and more, when given) and the location.
    void write(const log4cxx::LevelPtr &level, const char *text,
               const log4cxx::spi::LocationInfo &location);
    void write(const log4cxx::LevelPtr &level, const char *text, const QString &more,
               const log4cxx::spi::LocationInfo &location);

    void trace(const log4cxx::spi::LocationInfo &location, const char *format, ...) LIBLOG_PRINTF(3, 4);
    void debug(const log4cxx::spi::LocationInfo &location, const char *format, ...) LIBLOG_PRINTF(3, 4);
    void info(const log4cxx::spi::LocationInfo &location, const char *format, ...) LIBLOG_PRINTF(3, 4);
    void warn(const log4cxx::spi::LocationInfo &location, const char *format, ...) LIBLOG_PRINTF(3, 4);
    void error(const log4cxx::spi::LocationInfo &location, const char *format, ...) LIBLOG_PRINTF(3, 4);
    void fatal(const log4cxx::spi::LocationInfo &location, const char *format, ...) LIBLOG_PRINTF(3, 4);
    void log(const log4cxx::LevelPtr &level, const log4cxx::spi::LocationInfo &location,
             const char *format, ...) LIBLOG_PRINTF(4, 5);
    // At the root logger's level as it was when this object was made.
    LibLog &operator()(const char *format, ...) LIBLOG_PRINTF(2, 3);

    // Bounded by BufferSize, never cutting a UTF-8 character in two.
    static std::string format(const char *format, va_list arguments);

    log4cxx::LoggerPtr logger() const { return m_logger; }
    log4cxx::LoggerPtr rootLogger() const { return m_rootLogger; }

private:
    void writeFormatted(const log4cxx::LevelPtr &level, const log4cxx::spi::LocationInfo &location,
                        const char *format, va_list arguments);
    void writeText(const log4cxx::LevelPtr &level, const std::string &text,
                   const log4cxx::spi::LocationInfo &location);

    QMutex m_mutex;
    log4cxx::LevelPtr m_level;
    log4cxx::LoggerPtr m_rootLogger;
    log4cxx::LoggerPtr m_logger;
};

#define LIBLOG_DEBUG(...) LibLog::instance()->debug(LOG4CXX_LOCATION, __VA_ARGS__)
#define LIBLOG_INFO(...) LibLog::instance()->info(LOG4CXX_LOCATION, __VA_ARGS__)
#define LIBLOG_WARN(...) LibLog::instance()->warn(LOG4CXX_LOCATION, __VA_ARGS__)
#define LIBLOG_ERROR(...) LibLog::instance()->error(LOG4CXX_LOCATION, __VA_ARGS__)
