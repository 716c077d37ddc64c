#include "LogCapture.h"

#include "log/ShellLog.h"

#include <QtGlobal>

namespace {
QStringList g_lines;
QtMessageHandler g_previousHandler = nullptr;
int g_captures = 0;

void captureMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    g_lines.append(message);
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}
}

LogCapture::LogCapture()
    : m_previousLog(ShellLog::shared())
{
    ShellLog::setShared(this);
    if (g_captures++ == 0)
        g_previousHandler = qInstallMessageHandler(captureMessage);
}

LogCapture::~LogCapture()
{
    ShellLog::setShared(m_previousLog);
    if (--g_captures == 0)
        qInstallMessageHandler(g_previousHandler);
}

void LogCapture::write(Level, const QString &text, const char *, int, const char *)
{
    g_lines.append(text);
}

void LogCapture::writeCustom(const QString &level, const QString &function, const QString &message,
                             const QString &location)
{
    g_lines.append(QStringList{level, function, message, location}.join(QLatin1Char('|')));
}

QStringList LogCapture::lines() const
{
    return g_lines;
}

bool LogCapture::contains(const QString &fragment) const
{
    for (const QString &line : g_lines) {
        if (line.contains(fragment))
            return true;
    }
    return false;
}

void LogCapture::clear()
{
    g_lines.clear();
}
