#include "StoreLog.h"

#include <QDebug>

#include <atomic>

namespace {

class QtHandlerLog : public SharedLog
{
public:
    void write(Level level, const QString &text, const char *file, int line, const char *function) override
    {
        const QMessageLogger logger(file, line, function);
        if (level == Level::Error || level == Level::Fatal)
            logger.critical().noquote() << text;
        else if (level == Level::Warn)
            logger.warning().noquote() << text;
        else
            logger.info().noquote() << text;
    }
    void writeCustom(const QString &level, const QString &function, const QString &message,
                     const QString &location) override
    {
        QMessageLogger().info().noquote() << level << function << message << location;
    }
};

std::atomic<SharedLog *> g_log{nullptr};

} // namespace

SharedLog *StoreLog::shared()
{
    // Never destroyed: the store may log from static destructors at exit.
    static auto *fallback = new QtHandlerLog;
    SharedLog *log = g_log.load();
    return log ? log : fallback;
}

void StoreLog::setShared(SharedLog *log)
{
    g_log = log;
}
