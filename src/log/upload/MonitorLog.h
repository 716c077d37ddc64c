#pragma once

#include <QString>
#include <QStringList>

class CMonitorLogger;

// What the shell's subsystems call to feed the beacons; it reaches the monitor that
// start-up stored in the published LogContext, or its own when there is none.
namespace MonitorLog {

// The error text of an HTTP record for a request that timed out; such a record goes at once.
inline const QString TimeoutText = QStringLiteral("Http请求超时!");

CMonitorLogger *monitor();

void setSystemField2(const QString &text);
void setSystemField4(const QString &text);
void setStartTime(const QString &time);
void setEndTime(const QString &time);
void addHttpRecord(const QStringList &record);
void addPerfRecord(const QStringList &record);
void setCrashTexts(const QString &first, const QString &second);
void addCustomRecord(const QStringList &record);
void flush();

} // namespace MonitorLog
