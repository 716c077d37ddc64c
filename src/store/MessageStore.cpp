#include "MessageStore.h"

#include "IndexUpkeep.h"
#include "MessageMapping.h"
#include "StoreHandle.h"
#include "StoreSql.h"
#include "StoreLog.h"

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
    IndexUpkeep upkeep(db, IndexUpkeep::Kind::Insert);
    QSqlQuery query(db);
    bool ok = query.prepare(kInsertOne);
    if (ok) {
        MessageMapping::bindRow(query, row);
        ok = query.exec();
    }
    if (!ok)
        STORE_LOG_WARN(QStringLiteral("message %1 not stored: %2").arg(row.id, StoreSql::describe(query.lastError())));
    query.finish();
    return upkeep.finish(ok) && ok;
}

// One statement prepared once and run per item; bind fills it for item i. upkeep says how
// the search index follows the batch (it does so inside the transaction, before commit).
bool runBatch(QSqlDatabase db, const QString &sql, int count, const QString &what, IndexUpkeep::Kind upkeepKind,
              const std::function<void(QSqlQuery &, int)> &bind)
{
    const bool transactional = db.driver() && db.driver()->hasFeature(QSqlDriver::Transactions);
    if (transactional && !db.transaction()) {
        STORE_LOG_WARN(QStringLiteral("%1: no transaction: %2").arg(what, StoreSql::describe(db.lastError())));
        return false;
    }
    IndexUpkeep upkeep(db, upkeepKind);
    bool complete = true;
    bool failed = false;
    {
        QSqlQuery query(db);
        if (!query.prepare(sql)) {
            STORE_LOG_WARN(QStringLiteral("%1: %2").arg(what, StoreSql::describe(query.lastError())));
            failed = true;
        }
        for (int i = 0; !failed && i < count; ++i) {
            bind(query, i);
            if (query.exec())
                continue;
            const QSqlError error = query.lastError();
            if (StoreSql::resultCode(error) == StoreSql::Constraint) {
                STORE_LOG_WARN(QStringLiteral("%1: item %2 skipped: %3").arg(what).arg(i).arg(StoreSql::describe(error)));
                complete = false;
            } else {
                STORE_LOG_ERROR(QStringLiteral("%1: item %2 failed, batch undone: %3")
                              .arg(what)
                              .arg(i)
                              .arg(StoreSql::describe(error)));
                failed = true;
            }
        }
    }
    if (!upkeep.finish(!failed))
        failed = true;
    if (!transactional)
        return complete && !failed;
    if (failed) {
        db.rollback();
        return false;
    }
    if (!db.commit()) {
        STORE_LOG_ERROR(QStringLiteral("%1: commit failed: %2").arg(what, StoreSql::describe(db.lastError())));
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
    return runBatch(db, kInsertBatch, int(messages.size()), QStringLiteral("InsertMessages"), IndexUpkeep::Kind::Insert,
                    [&messages](QSqlQuery &query, int i) { MessageMapping::bindMessage(query, messages.at(i)); });
}

bool MessageStore::UpdateExtensions(const DBMessageSave &msg)
{
    if (msg.message_type != 3 && msg.message_type != 4) {
        STORE_LOG_WARN(QStringLiteral("extensions of message type %1 are not updated").arg(msg.message_type));
        return false;
    }
    const QSqlDatabase db = StoreHandle::database();
    IndexUpkeep upkeep(db, IndexUpkeep::Kind::Neutral);
    QSqlQuery query(db);
    const bool ok = StoreSql::run(query,
                                  QStringLiteral("UPDATE msgrecord SET extension1 = ?, extension2 = ?, extension3 = ?"
                                                 " WHERE messageid = ?"),
                                  {msg.attr3, msg.message_type == 3 ? msg.attr7 : msg.attr4, msg.attr5, msg.messageid});
    return upkeep.finish(ok) && ok;
}

bool MessageStore::UpdateExtension3(const QString &messageId, const QString &value)
{
    const QSqlDatabase db = StoreHandle::database();
    IndexUpkeep upkeep(db, IndexUpkeep::Kind::Neutral);
    QSqlQuery query(db);
    const bool ok = StoreSql::run(query, QStringLiteral("UPDATE msgrecord SET extension3 = ? WHERE messageid = ?"),
                                  {value, messageId});
    return upkeep.finish(ok) && ok;
}

void MessageStore::UpdateMessageStatus(const QString &uniqueJid, const QString &messageId, const QString &status)
{
    const QSqlDatabase db = StoreHandle::database();
    IndexUpkeep upkeep(db, IndexUpkeep::Kind::Neutral);
    QSqlQuery query(db);
    upkeep.finish(StoreSql::run(query, kUpdateStatus, {status, uniqueJid, messageId}));
}

bool MessageStore::UpdateMessageStatuses(const QList<MessageStatusItem> &items, QSqlDatabase db)
{
    return runBatch(db, kUpdateStatus, int(items.size()), QStringLiteral("UpdateMessageStatuses"),
                    IndexUpkeep::Kind::Neutral,
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
        STORE_LOG_WARN(QStringLiteral("message %1 keeps its time: \"%2\" is no time").arg(messageId, ztime));
        return false;
    }
    const QSqlDatabase db = StoreHandle::database();
    IndexUpkeep upkeep(db, IndexUpkeep::Kind::Neutral);
    QSqlQuery query(db);
    const bool ok = StoreSql::run(query,
                                  QStringLiteral("UPDATE msgrecord SET time = ?,ztime = ? WHERE unique_jid = ? AND "
                                                 "messageid = ? "),
                                  {ztime.left(19), ztime, uniqueJid, messageId});
    return upkeep.finish(ok) && ok;
}

bool MessageStore::MarkMessagesRead(const QString &uniqueJid, const QStringList &messageIds, QSqlDatabase db)
{
    return runBatch(db, QStringLiteral("UPDATE msgrecord SET readed = ?,receivetime = ? WHERE unique_jid = ? AND "
                                       "messageid = ?"),
                    int(messageIds.size()), QStringLiteral("MarkMessagesRead"), IndexUpkeep::Kind::Neutral,
                    [&](QSqlQuery &query, int i) {
                        query.bindValue(0, 1);
                        query.bindValue(1, QDateTime::currentDateTime().toString(
                                               QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")));
                        query.bindValue(2, StoreSql::bindable(uniqueJid));
                        query.bindValue(3, StoreSql::bindable(messageIds.at(i)));
                    });
}
