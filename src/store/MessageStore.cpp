#include "MessageStore.h"

#include "MessageMapping.h"
#include "StoreHandle.h"
#include "StoreSql.h"
#include "log/ShellLog.h"

#include <QDateTime>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <functional>

namespace {

const QString kInsertOne = QStringLiteral(
    "INSERT INTO msgrecord (id, jid, unique_jid, sender, time, font, content,true_content, message_flag,"
    "\t\t\t   title_color, message_type, extension1, extension2, extension3,videoRotate, messageid, "
    "receivetime, readed, senderJid,ztime,msgStatus)\t\t\t   VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
    "?, ?, ?, ?, ?, ?)");
const QString kInsertBatch = QStringLiteral(
    "INSERT INTO msgrecord (id, jid, unique_jid, sender, time, font, content,true_content, message_flag,"
    "\t\t\t\t   title_color, message_type, extension1, extension2, extension3,videoRotate, messageid, "
    "receivetime, readed, senderJid, ztime, msgStatus)\t\t\t\t   VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
    "?, ?, ?, ?, ?, ?, ?)");
const QString kUpdateStatus =
    QStringLiteral("UPDATE msgrecord SET msgStatus = ? WHERE unique_jid = ? AND messageid = ?");

bool insertRow(const MessageRow &row)
{
    const QSqlDatabase db = StoreHandle::database();
    QSqlQuery query(db);
    bool ok = query.prepare(kInsertOne);
    if (ok) {
        MessageMapping::bindRow(query, row);
        ok = query.exec();
    }
    if (!ok)
        LOG_WARN(QStringLiteral("message %1 not stored: %2").arg(row.id, StoreSql::describe(query.lastError())));
    return ok;
}

// bind fills the prepared query for item i; done runs after a successful item.
bool runBatch(QSqlDatabase db, const QString &sql, int count, const QString &what,
              const std::function<void(QSqlQuery &, int)> &bind,
              const std::function<void(const QSqlQuery &, int)> &done = {})
{
    const bool transactional = db.driver() && db.driver()->hasFeature(QSqlDriver::Transactions);
    if (transactional && !db.transaction()) {
        LOG_WARN(QStringLiteral("%1: no transaction: %2").arg(what, StoreSql::describe(db.lastError())));
        return false;
    }
    bool complete = true;
    bool failed = false;
    {
        QSqlQuery query(db);
        if (!query.prepare(sql)) {
            LOG_WARN(QStringLiteral("%1: %2").arg(what, StoreSql::describe(query.lastError())));
            failed = true;
        }
        for (int i = 0; !failed && i < count; ++i) {
            bind(query, i);
            if (query.exec()) {
                if (done)
                    done(query, i);
                continue;
            }
            const QSqlError error = query.lastError();
            if (StoreSql::resultCode(error) == StoreSql::Constraint) {
                LOG_WARN(QStringLiteral("%1: item %2 skipped: %3").arg(what).arg(i).arg(StoreSql::describe(error)));
                complete = false;
            } else {
                LOG_ERROR(QStringLiteral("%1: item %2 failed, batch undone: %3")
                              .arg(what)
                              .arg(i)
                              .arg(StoreSql::describe(error)));
                failed = true;
            }
        }
    }
    if (!transactional)
        return complete && !failed;
    if (failed) {
        db.rollback();
        return false;
    }
    if (!db.commit()) {
        LOG_ERROR(QStringLiteral("%1: commit failed: %2").arg(what, StoreSql::describe(db.lastError())));
        db.rollback();
        return false;
    }
    return complete;
}

} // namespace

bool MessageStore::InsertMessage(const DBMessageSave &msg)
{
    return insertRow(MessageMapping::toRow(msg));
}

bool MessageStore::InsertMessageRow(const MessageRow &row)
{
    return insertRow(row);
}

bool MessageStore::InsertMessages(const QList<DBMessageSave> &messages, QSqlDatabase db)
{
    QList<MessageRow> rows;
    rows.reserve(messages.size());
    for (const DBMessageSave &message : messages)
        rows.append(MessageMapping::toRow(message));
    return runBatch(db, kInsertBatch, int(rows.size()), QStringLiteral("InsertMessages"),
                    [&rows](QSqlQuery &query, int i) { MessageMapping::bindRow(query, rows.at(i)); });
}

bool MessageStore::UpdateExtensions(const DBMessageSave &msg)
{
    if (msg.message_type != 3 && msg.message_type != 4) {
        LOG_WARN(QStringLiteral("extensions of message type %1 are not updated").arg(msg.message_type));
        return false;
    }
    QSqlQuery query(StoreHandle::database());
    return StoreSql::run(query,
                         QStringLiteral("UPDATE msgrecord SET extension1 = ?, extension2 = ?, extension3 = ?"
                                        " WHERE messageid = ?"),
                         {msg.attr3, msg.message_type == 3 ? msg.attr7 : msg.attr4, msg.attr5, msg.messageid});
}

bool MessageStore::UpdateExtension3(const QString &messageId, const QString &value)
{
    QSqlQuery query(StoreHandle::database());
    return StoreSql::run(query, QStringLiteral("UPDATE msgrecord SET extension3 = ? WHERE messageid = ?"),
                         {value, messageId});
}

void MessageStore::UpdateMessageStatus(const QString &uniqueJid, const QString &messageId, const QString &status)
{
    QSqlQuery query(StoreHandle::database());
    StoreSql::run(query, kUpdateStatus, {status, uniqueJid, messageId});
}

bool MessageStore::UpdateMessageStatuses(const QList<MessageStatusItem> &items, QSqlDatabase db)
{
    return runBatch(db, kUpdateStatus, int(items.size()), QStringLiteral("UpdateMessageStatuses"),
                    [&items](QSqlQuery &query, int i) {
                        const MessageStatusItem &item = items.at(i);
                        query.bindValue(0, StoreSql::bindable(item.status));
                        query.bindValue(1, StoreSql::bindable(item.uniqueJid));
                        query.bindValue(2, StoreSql::bindable(item.messageId));
                    });
}

bool MessageStore::UpdateMessageTime(const QString &uniqueJid, const QString &messageId, const QString &ztime)
{
    // Date and clock parsed apart: a local time in a daylight-saving gap is still a time.
    const QDate date = QDate::fromString(ztime.left(10), QStringLiteral("yyyy-MM-dd"));
    const QTime clock = QTime::fromString(ztime.mid(11), QStringLiteral("hh:mm:ss.zzz"));
    if (ztime.size() != 23 || ztime.at(10) != QLatin1Char(' ') || !date.isValid() || !clock.isValid()) {
        LOG_WARN(QStringLiteral("message %1 keeps its time: \"%2\" is no time").arg(messageId, ztime));
        return false;
    }
    QSqlQuery query(StoreHandle::database());
    return StoreSql::run(query,
                         QStringLiteral("UPDATE msgrecord SET time = ?,ztime = ? WHERE unique_jid = ? AND "
                                        "messageid = ? "),
                         {ztime.left(19), ztime, uniqueJid, messageId});
}

bool MessageStore::MarkMessagesRead(const QString &uniqueJid, const QStringList &messageIds, QSqlDatabase db)
{
    return runBatch(db, QStringLiteral("UPDATE msgrecord SET readed = ?,receivetime = ? WHERE unique_jid = ? AND "
                                       "messageid = ?"),
                    int(messageIds.size()), QStringLiteral("MarkMessagesRead"),
                    [&](QSqlQuery &query, int i) {
                        query.bindValue(0, 1);
                        query.bindValue(1, QDateTime::currentDateTime().toString(
                                               QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")));
                        query.bindValue(2, StoreSql::bindable(uniqueJid));
                        query.bindValue(3, StoreSql::bindable(messageIds.at(i)));
                    });
}
