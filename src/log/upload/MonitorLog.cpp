#include "MonitorLog.h"

#include "CMonitorLogger.h"
#include "log/LogContext.h"

namespace MonitorLog {

CMonitorLogger *monitor()
{
    if (LogContext *context = LogContext::published()) {
        if (CMonitorLogger *shared = context->monitorLogger())
            return shared;
    }
    // Never destroyed, like the other process-wide objects; it has no endpoints until
    // start-up sets them, so its uploads fail with a log line.
    static CMonitorLogger *own = new CMonitorLogger;
    return own;
}

void setSystemField2(const QString &text) { monitor()->setSystemField(2, text); }
void setSystemField4(const QString &text) { monitor()->setSystemField(4, text); }
void setStartTime(const QString &time) { monitor()->setStartTime(time); }
void setEndTime(const QString &time) { monitor()->setEndTime(time); }
void addHttpRecord(const QStringList &record) { monitor()->addHttpRecord(record); }
void addPerfRecord(const QStringList &record) { monitor()->addPerfRecord(record); }
void setCrashTexts(const QString &first, const QString &second) { monitor()->setCrashTexts(first, second); }
void addCustomRecord(const QStringList &record) { monitor()->addCustomRecord(record); }
void flush() { monitor()->flush(); }

} // namespace MonitorLog
