#include "TimeRange.h"

QString TimeRange::start(int code, const QDate &today)
{
    QDate first;
    switch (code) {
    case 1:
        first = today.addDays(-7);
        break;
    case 2:
        first = today.addMonths(-1);
        break;
    case 3:
        first = today.addMonths(-3);
        break;
    default:
        return {};
    }
    return first.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00.000");
}

QString TimeRange::end(const QDateTime &now)
{
    return now.addDays(1).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QString TimeRange::comparableStart(const QString &start)
{
    if (start.size() == 23 && start.endsWith(QLatin1String(".000")))
        return start.left(19);
    return start;
}
