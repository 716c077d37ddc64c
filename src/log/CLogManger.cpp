#include "CLogManger.h"

#include "CustomLogger.h"
#include "LogContext.h"

CLogManger *CLogManger::instance()
{
    static CLogManger *const manager = new CLogManger;
    return manager;
}

CLogManger::CLogManger()
    : m_followsContext(true)
{
}

CLogManger::CLogManger(CustomLogger *logger, QObject *parent)
    : QObject(parent)
    , m_logger(logger)
{
}

CustomLogger *CLogManger::customLogger() const
{
    if (!m_followsContext)
        return m_logger;
    LogContext *context = LogContext::published();
    return context ? context->customLogger() : nullptr;
}

bool CLogManger::log(const QString &level, const QString &function, const QString &message,
                     const QString &location)
{
    CustomLogger *logger = customLogger();
    if (!logger)
        return false;
    logger->log(level, function, message, location);
    return true;
}

bool CLogManger::flush()
{
    CustomLogger *logger = customLogger();
    if (!logger)
        return false;
    logger->flush();
    return true;
}

bool CLogManger::reset()
{
    CustomLogger *logger = customLogger();
    return logger && logger->reset();
}

bool CLogManger::setField6(const QString &text)
{
    CustomLogger *logger = customLogger();
    if (!logger)
        return false;
    logger->setField6(text);
    return true;
}

bool CLogManger::setField7(const QString &text)
{
    CustomLogger *logger = customLogger();
    if (!logger)
        return false;
    logger->setField7(text);
    return true;
}
