#include "LogContext.h"

#include "CustomLogger.h"
#include "ShellLog.h"

#include <QDebug>
#include <QFile>
#include <QFont>
#include <QStringDecoder>

#include <log4cxx/basicconfigurator.h>
#include <log4cxx/helpers/bytearrayinputstream.h>
#include <log4cxx/helpers/properties.h>
#include <log4cxx/logger.h>
#include <log4cxx/logmanager.h>
#include <log4cxx/propertyconfigurator.h>
#include <log4cxx/spi/location/locationinfo.h>
#include <log4cxx/stream.h>

#include <atomic>
#include <clocale>
#include <langinfo.h>
#include <vector>

namespace {

std::atomic<LogContext *> g_published{nullptr};

log4cxx::LevelPtr toLevel(SharedLog::Level level)
{
    switch (level) {
    case SharedLog::Level::Trace: return log4cxx::Level::getTrace();
    case SharedLog::Level::Debug: return log4cxx::Level::getDebug();
    case SharedLog::Level::Info: return log4cxx::Level::getInfo();
    case SharedLog::Level::Warn: return log4cxx::Level::getWarn();
    case SharedLog::Level::Error: return log4cxx::Level::getError();
    case SharedLog::Level::Fatal: return log4cxx::Level::getFatal();
    }
    return log4cxx::Level::getDebug();
}

// log4cxx decoded each byte as one Latin-1 character; a value that was UTF-8 in
// the file (a non-ASCII Debug.log path) gets its real text back.
void restoreUtf8Values(log4cxx::helpers::Properties &properties)
{
    for (const log4cxx::LogString &key : properties.propertyNames()) {
        const QString decoded = QString::fromStdString(properties.getProperty(key));
        bool wide = false;
        bool eightBit = false;
        for (QChar c : decoded) {
            wide = wide || c.unicode() > 0xff;
            eightBit = eightBit || c.unicode() > 0x7f;
        }
        if (wide || !eightBit)
            continue;
        const QByteArray raw = decoded.toLatin1();
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(raw);
        if (!utf8.hasError())
            properties.setProperty(key, text.toStdString());
    }
}

// log4cxx turns file names into bytes through the C library's character set,
// while Qt names files in UTF-8 whatever the locale; under a non-UTF-8 locale
// a non-ASCII Debug.log path would otherwise come out as question marks.
void useUtf8FileNames()
{
    const char *codeset = nl_langinfo(CODESET);
    if (codeset && (!qstricmp(codeset, "UTF-8") || !qstricmp(codeset, "utf8")))
        return;
    if (!std::setlocale(LC_CTYPE, "C.UTF-8"))
        qWarning().noquote() << "log: no UTF-8 locale; non-ASCII log paths may fail";
}

} // namespace

LogContext::LogContext()
{
    try {
        m_rootLogger = log4cxx::Logger::getRootLogger();
        m_logger = log4cxx::Logger::getLogger("");
        m_stream = std::make_unique<log4cxx::logstream>(m_logger, m_rootLogger->getEffectiveLevel());
    } catch (const std::exception &e) {
        qWarning().noquote() << "log: cannot create the log4cxx loggers:" << e.what();
    }
}

LogContext::~LogContext() = default;

bool LogContext::configure(const QString &cfgPath, QString *error)
{
    QFile file(cfgPath);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("log configuration %1 not readable: %2").arg(cfgPath, file.errorString());
        try {
            log4cxx::BasicConfigurator::configure();
        } catch (const std::exception &) {
        }
        return false;
    }
    const QByteArray text = file.readAll();
    useUtf8FileNames();
    try {
        log4cxx::helpers::Properties properties;
        properties.load(std::make_shared<log4cxx::helpers::ByteArrayInputStream>(
            std::vector<unsigned char>(text.begin(), text.end())));
        restoreUtf8Values(properties);
        log4cxx::PropertyConfigurator::configure(properties);
        return true;
    } catch (const std::exception &e) {
        if (error)
            *error = QStringLiteral("log configuration %1: %2").arg(cfgPath, QString::fromLocal8Bit(e.what()));
        return false;
    }
}

void LogContext::shutdown()
{
    try {
        log4cxx::LogManager::shutdown();
    } catch (const std::exception &) {
    }
}

void LogContext::publish(LogContext *context)
{
    g_published = context;
    ShellLog::setShared(context);
}

LogContext *LogContext::published()
{
    return g_published;
}

void LogContext::write(Level level, const QString &text, const char *file, int line,
                       const char *function)
{
    const char *path = file ? file : "";
    const log4cxx::spi::LocationInfo location(path, log4cxx::spi::LocationInfo::calcShortFileName(path),
                                              function ? function : "", line);
    writeLine(toLevel(level), text.toStdString(), location);
}

void LogContext::writeCustom(const QString &level, const QString &function,
                             const QString &message, const QString &location)
{
    const QMutexLocker lock(&m_customMutex);
    if (m_customLogger)
        m_customLogger->log(level, function, message, location);
}

void LogContext::writeLine(const log4cxx::LevelPtr &level, const std::string &text,
                           const log4cxx::spi::LocationInfo &location)
{
    try {
        if (m_logger && m_logger->isEnabledFor(level))
            m_logger->forcedLog(level, text, location);
    } catch (const std::exception &e) {
        qWarning().noquote() << "log: line lost:" << e.what();
    }
}

log4cxx::LoggerPtr LogContext::logger() const
{
    return m_logger;
}

log4cxx::LoggerPtr LogContext::rootLogger() const
{
    return m_rootLogger;
}

void LogContext::destroyStream()
{
    m_stream.reset();
}

bool LogContext::openCustomLog(const QString &path, const CustomLogFormat &format)
{
    const QMutexLocker lock(&m_customMutex);
    if (m_customLogger)
        m_customLogger->close();
    // Kept even when it cannot open: it then ignores lines, and a reset may open it later.
    m_customLogger = std::make_unique<CustomLogger>(path, format);
    return m_customLogger->open();
}

CustomLogger *LogContext::customLogger() const
{
    const QMutexLocker lock(&m_customMutex);
    return m_customLogger.get();
}

void LogContext::closeCustomLog()
{
    const QMutexLocker lock(&m_customMutex);
    if (m_customLogger)
        m_customLogger->close();
    m_customLogger.reset();
}

void LogContext::setAppFont(const QFont &font)
{
    auto copy = std::make_unique<QFont>(font);
    copy->setPixelSize(12);
    copy->setStyleStrategy(QFont::PreferAntialias);
    m_appFont = std::move(copy);
}
