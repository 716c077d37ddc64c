#include "DiagnosticLog.h"

#include <QFileInfo>

#include <log4cxx/basicconfigurator.h>
#include <log4cxx/helpers/fileinputstream.h>
#include <log4cxx/helpers/properties.h>
#include <log4cxx/logger.h>
#include <log4cxx/logmanager.h>
#include <log4cxx/propertyconfigurator.h>
#include <log4cxx/spi/location/locationinfo.h>

namespace {

const char AppenderFileKey[] = "log4j.appender.R.File";

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

bool isAscii(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() > 0x7f)
            return false;
    }
    return true;
}

const char *baseName(const char *path)
{
    const char *slash = path ? strrchr(path, '/') : nullptr;
    return slash ? slash + 1 : (path ? path : "");
}

} // namespace

DiagnosticLog::DiagnosticLog() = default;
DiagnosticLog::~DiagnosticLog() = default;

bool DiagnosticLog::configure(const QString &cfgPath, const QString &debugLogPath, QString *error)
{
    if (!QFileInfo::exists(cfgPath)) {
        if (error)
            *error = QStringLiteral("log configuration %1 not found").arg(cfgPath);
        log4cxx::BasicConfigurator::configure();
        return false;
    }
    try {
        if (debugLogPath.isEmpty() || isAscii(debugLogPath)) {
            log4cxx::PropertyConfigurator::configure(log4cxx::File(cfgPath.toStdString()));
            return true;
        }
        log4cxx::helpers::Properties properties;
        log4cxx::helpers::InputStreamPtr in =
            std::make_shared<log4cxx::helpers::FileInputStream>(cfgPath.toStdString());
        properties.load(in);
        properties.setProperty(AppenderFileKey, debugLogPath.toStdString());
        log4cxx::PropertyConfigurator::configure(properties);
        return true;
    } catch (const std::exception &e) {
        if (error)
            *error = QString::fromLocal8Bit(e.what());
        return false;
    }
}

void DiagnosticLog::shutdown()
{
    log4cxx::LogManager::shutdown();
}

void DiagnosticLog::write(Level level, const QString &text, const char *file, int line,
                          const char *function)
{
    static const log4cxx::LoggerPtr logger = log4cxx::Logger::getLogger("");
    const log4cxx::LevelPtr l4Level = toLevel(level);
    if (!logger->isEnabledFor(l4Level))
        return;
    const log4cxx::spi::LocationInfo location(file ? file : "", baseName(file),
                                              function ? function : "", line);
    logger->forcedLog(l4Level, text.toStdString(), location);
}

void DiagnosticLog::writeCustom(const QString &level, const QString &function,
                                const QString &message, const QString &location)
{
    write(Level::Info, QStringLiteral("[%1] %2 %3 %4").arg(level, function, message, location),
          __FILE__, __LINE__, __PRETTY_FUNCTION__);
}
