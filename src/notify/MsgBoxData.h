#pragma once

#include <lumio/MessageData.h>

#include <QDateTime>
#include <QList>
#include <QString>

// Item data roles of the unread box's sender rows.
namespace MsgBoxRole {
constexpr int Name = Qt::UserRole + 2;
constexpr int HeadImage = Qt::UserRole + 3;
constexpr int Jid = Qt::UserRole + 9;
constexpr int Preview = Qt::UserRole + 19;
constexpr int Time = Qt::UserRole + 20;
constexpr int Count = Qt::UserRole + 29;
constexpr int Attachment = Qt::UserRole + 42;
constexpr int RequestSort = Qt::UserRole + 7;
} // namespace MsgBoxRole

// The summary of one sender's unread messages, as its row shows it.
struct MsgBoxData
{
    QString jid;
    QString timeText;
    QString preview;
    int count = 0;
    QString jid2;
    bool isGroup = false;
    QString attachmentName;

    static MsgBoxData fromMessages(const QString &jid, const QList<MessageData> &messages,
                                   const QDateTime &now = QDateTime::currentDateTime());
    // "hh:mm" today, "昨天" yesterday, "MM-dd" earlier this year, "yy-MM-dd" before.
    static QString formatTime(const QString &time, const QDateTime &now);
    // The first 10 characters plus "..." when longer; a surrogate pair stays whole.
    static QString previewOf(const QString &text);
};
