#include "LibLog.h"

#include <QDebug>

#include <log4cxx/logger.h>

#include <algorithm>
#include <cstdio>

#define LIBLOG_FORWARD(level)                                   \
    va_list arguments;                                          \
    va_start(arguments, format);                                \
    writeFormatted((level), location, format, arguments);       \
    va_end(arguments)

LibLog *LibLog::instance()
{
    static LibLog *const log = new LibLog;
    return log;
}

LibLog::LibLog(const LogContext *context)
{
    try {
        m_rootLogger = context && context->rootLogger() ? context->rootLogger()
                                                        : log4cxx::Logger::getRootLogger();
        m_logger = context && context->logger() ? context->logger() : log4cxx::Logger::getLogger("");
        m_level = m_rootLogger->getEffectiveLevel();
    } catch (const std::exception &e) {
        qWarning().noquote() << "log: cannot reach the log4cxx loggers:" << e.what();
    }
    if (!m_level)
        m_level = log4cxx::Level::getDebug();
}

void LibLog::write(const log4cxx::LevelPtr &level, const char *text,
                   const log4cxx::spi::LocationInfo &location)
{
    writeText(level, text ? std::string(text) : std::string(), location);
}

void LibLog::write(const log4cxx::LevelPtr &level, const char *text, const QString &more,
                   const log4cxx::spi::LocationInfo &location)
{
    std::string line = text ? std::string(text) : std::string();
    line += more.toStdString();
    writeText(level, line, location);
}

void LibLog::trace(const log4cxx::spi::LocationInfo &location, const char *format, ...)
{
    LIBLOG_FORWARD(log4cxx::Level::getTrace());
}

void LibLog::debug(const log4cxx::spi::LocationInfo &location, const char *format, ...)
{
    LIBLOG_FORWARD(log4cxx::Level::getDebug());
}

void LibLog::info(const log4cxx::spi::LocationInfo &location, const char *format, ...)
{
    LIBLOG_FORWARD(log4cxx::Level::getInfo());
}

void LibLog::warn(const log4cxx::spi::LocationInfo &location, const char *format, ...)
{
    LIBLOG_FORWARD(log4cxx::Level::getWarn());
}

void LibLog::error(const log4cxx::spi::LocationInfo &location, const char *format, ...)
{
    LIBLOG_FORWARD(log4cxx::Level::getError());
}

void LibLog::fatal(const log4cxx::spi::LocationInfo &location, const char *format, ...)
{
    LIBLOG_FORWARD(log4cxx::Level::getFatal());
}

void LibLog::log(const log4cxx::LevelPtr &level, const log4cxx::spi::LocationInfo &location,
                 const char *format, ...)
{
    LIBLOG_FORWARD(level);
}

LibLog &LibLog::operator()(const char *format, ...)
{
    const log4cxx::spi::LocationInfo location = LOG4CXX_LOCATION;
    LIBLOG_FORWARD(m_level);
    return *this;
}

std::string LibLog::format(const char *format, va_list arguments)
{
    if (!format)
        return {};
    // One byte beyond the kept text, to see whether the cut falls inside a character.
    char buffer[BufferSize + 1];
    va_list copy;
    va_copy(copy, arguments);
    const int needed = std::vsnprintf(buffer, sizeof buffer, format, copy);
    va_end(copy);
    if (needed < 0)
        return {};
    size_t length = std::min<size_t>(size_t(needed), BufferSize - 1);
    if (size_t(needed) > length) {
        while (length > 0 && (static_cast<unsigned char>(buffer[length]) & 0xc0) == 0x80)
            --length;
    }
    return std::string(buffer, length);
}

void LibLog::writeFormatted(const log4cxx::LevelPtr &level, const log4cxx::spi::LocationInfo &location,
                            const char *format, va_list arguments)
{
    writeText(level, LibLog::format(format, arguments), location);
}

void LibLog::writeText(const log4cxx::LevelPtr &level, const std::string &text,
                       const log4cxx::spi::LocationInfo &location)
{
    try {
        const QMutexLocker lock(&m_mutex);
        if (m_logger && m_logger->isEnabledFor(level))
            m_logger->forcedLog(level, text, location);
    } catch (const std::exception &e) {
        qWarning().noquote() << "log: line lost:" << e.what();
    }
}
