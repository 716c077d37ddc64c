#pragma once

#include <QDateTime>
#include <QString>

// The range codes of searches and range deletes: 0 everything, 1 last seven days,
// 2 last month, 3 last three months, 4 the caller's own start and end.
class TimeRange
{
public:
    // "yyyy-MM-dd 00:00:00.000" of the range's first day for codes 1 to 3, else empty.
    static QString start(int code, const QDate &today = QDate::currentDate());
    // Now plus one day, "yyyy-MM-dd hh:mm:ss".
    static QString end(const QDateTime &now = QDateTime::currentDateTime());
    // The start as bound into a comparison: rows store "yyyy-MM-dd hh:mm:ss", which sorts
    // before the same second written with ".000", so midnight of the first day would be lost.
    static QString comparableStart(const QString &start);
};
