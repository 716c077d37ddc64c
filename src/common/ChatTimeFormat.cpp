#include "ChatTimeFormat.h"

#include "log/ShellLog.h"

namespace {

QString formatDay(const QString &time, const QDateTime &now, const QString &dateFormat,
                  const char *caller)
{
    const QDateTime when = ChatTimeFormat::parseLocalTime(time);
    if (!when.isValid()) {
        LOG_WARN(QStringLiteral("%1: not a message time: \"%2\"").arg(QLatin1String(caller), time));
        return {};
    }
    if (when.date().year() != now.date().year())
        return when.toString(dateFormat);
    const qint64 days = when.date().daysTo(now.date());
    if (days == 1)
        return QStringLiteral("昨天");
    if (days > 1)
        return when.toString(dateFormat);
    return when.toString(QStringLiteral("hh:mm"));
}

} // namespace

QDateTime ChatTimeFormat::parseLocalTime(const QString &time)
{
    const QString format = time.size() > 19 ? QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")
                                            : QStringLiteral("yyyy-MM-dd hh:mm:ss");
    return QDateTime::fromString(time, format);
}

QString ChatTimeFormat::formatChatDay(const QString &time)
{
    return formatChatDay(time, QDateTime::currentDateTime());
}

QString ChatTimeFormat::formatChatDay(const QString &time, const QDateTime &now)
{
    return formatDay(time, now, QStringLiteral("yyyy-MM-dd"), "ChatTimeFormat::formatChatDay");
}

QString ChatTimeFormat::formatChatDayMs(const QString &time)
{
    return formatChatDayMs(time, QDateTime::currentDateTime());
}

QString ChatTimeFormat::formatChatDayMs(const QString &time, const QDateTime &now)
{
    return formatDay(time, now, QStringLiteral("yy-MM-dd"), "ChatTimeFormat::formatChatDayMs");
}

QString ChatTimeFormat::formatChatTime(const QString &time)
{
    return formatChatTime(time, QDateTime::currentDateTime());
}

QString ChatTimeFormat::formatChatTime(const QString &time, const QDateTime &now)
{
    const QDateTime when = parseLocalTime(time);
    if (!when.isValid()) {
        LOG_WARN(QStringLiteral("ChatTimeFormat::formatChatTime: not a message time: \"%1\"").arg(time));
        return {};
    }
    const QString clock = when.toString(QStringLiteral("hh:mm"));
    if (when.date().year() != now.date().year())
        return when.toString(QStringLiteral("yyyy-MM-dd hh:mm"));
    switch (when.date().daysTo(now.date())) {
    case 0:
        return clock;
    case 1:
        return QStringLiteral("昨天 ") + clock;
    case 2:
        return QStringLiteral("前天 ") + clock;
    default:
        return when.toString(QStringLiteral("MM-dd hh:mm"));
    }
}
