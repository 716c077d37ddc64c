#include "QtMessageLog.h"

#include <QDebug>

void QtMessageLog::write(Level level, const QString &text, const char *file, int line,
                         const char *function)
{
    const QMessageLogger logger(file, line, function);
    switch (level) {
    case Level::Trace:
    case Level::Debug:
        logger.debug().noquote() << text;
        break;
    case Level::Info:
        logger.info().noquote() << text;
        break;
    case Level::Warn:
        logger.warning().noquote() << text;
        break;
    case Level::Error:
    case Level::Fatal:
        logger.critical().noquote() << text;
        break;
    }
}

void QtMessageLog::writeCustom(const QString &level, const QString &function,
                               const QString &message, const QString &location)
{
    QMessageLogger().info().noquote() << level << function << message << location;
}
