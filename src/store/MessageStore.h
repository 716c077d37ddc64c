#pragma once

#include "StoreExport.h"

#include "DBMessageSave.h"
#include "MessageRow.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// One row of a batch status update.
struct MessageStatusItem
{
    QString uniqueJid;
    QString messageId;
    QString status;
};

// Inserts and updates of msgrecord. Batches run in one transaction: an item that breaks a
// constraint is skipped (the call then returns false, the rest is kept); any other item
// error rolls the whole batch back.
class LUMIO_STORE_EXPORT MessageStore
{
public:
    static bool InsertMessage(const DBMessageSave &msg);
    static bool InsertMessageRow(const MessageRow &row);
    static bool InsertMessages(const QList<DBMessageSave> &messages, QSqlDatabase db);

    // Types 3 and 4 only.
    static bool UpdateExtensions(const DBMessageSave &msg);
    static bool UpdateExtension3(const QString &messageId, const QString &value);
    static void UpdateMessageStatus(const QString &uniqueJid, const QString &messageId, const QString &status);
    static bool UpdateMessageStatuses(const QList<MessageStatusItem> &items, QSqlDatabase db);
    // ztime "yyyy-MM-dd hh:mm:ss.zzz"; any other text is refused.
    static bool UpdateMessageTime(const QString &uniqueJid, const QString &messageId, const QString &ztime);
    static bool MarkMessagesRead(const QString &uniqueJid, const QStringList &messageIds, QSqlDatabase db);
};
