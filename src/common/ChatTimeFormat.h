#pragma once

#include <QDateTime>
#include <QString>

// How message times read in chat lists and windows, relative to today.
// Each function takes the local time text of a message; the overloads with
// "now" let callers (and tests) fix the current time.
class ChatTimeFormat
{
public:
    // "hh:mm" for today, "昨天" for yesterday, else the date "yyyy-MM-dd".
    static QString formatChatDay(const QString &time);
    static QString formatChatDay(const QString &time, const QDateTime &now);

    // As formatChatDay, with dates as "yy-MM-dd"; for times carrying milliseconds.
    static QString formatChatDayMs(const QString &time);
    static QString formatChatDayMs(const QString &time, const QDateTime &now);

    // "hh:mm", "昨天 hh:mm", "前天 hh:mm", "MM-dd hh:mm", or "yyyy-MM-dd hh:mm" in another year.
    static QString formatChatTime(const QString &time);
    static QString formatChatTime(const QString &time, const QDateTime &now);

    // "yyyy-MM-dd hh:mm:ss" or "yyyy-MM-dd hh:mm:ss.zzz"; invalid for anything else.
    static QDateTime parseLocalTime(const QString &time);
};
