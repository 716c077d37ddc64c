#include "MessageDeletion.h"

#include "IndexUpkeep.h"
#include "StoreHandle.h"
#include "StoreSql.h"
#include "TimeRange.h"
#include "StoreLog.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

// Appends the range of codes 1 to 3 (none for the others) to a condition.
bool withRange(QString &condition, QVariantList &values, int rangeCode)
{
    const QString start = TimeRange::start(rangeCode);
    if (start.isEmpty())
        return false;
    condition += QStringLiteral(" AND time BETWEEN ? AND ?");
    values << TimeRange::comparableStart(start) << TimeRange::end();
    return true;
}

} // namespace

bool MessageDeletion::deleteWhere(const QString &condition, const QVariantList &values)
{
    const QSqlDatabase db = StoreHandle::database();
    QVariantList texts;
    texts.reserve(values.size());
    for (const QVariant &value : values)
        texts << StoreSql::bindable(value.toString());
    // Drops the rows' index entries in a savepoint that the DELETE joins.
    IndexUpkeep upkeep(db, IndexUpkeep::Kind::Delete, condition, texts);
    QSqlQuery query(db);
    bool ok = query.prepare(QStringLiteral("DELETE FROM msgrecord WHERE ") + condition);
    for (int i = 0; ok && i < texts.size(); ++i)
        query.bindValue(i, texts.at(i));
    ok = ok && query.exec();
    if (!ok)
        STORE_LOG_WARN(QStringLiteral("delete where %1 failed: %2").arg(condition, StoreSql::describe(query.lastError())));
    const qint64 removed = ok ? query.numRowsAffected() : 0;
    query.finish();
    if (!upkeep.finish(ok, removed)) {
        STORE_LOG_WARN(QStringLiteral("delete where %1 undone: it could not be committed").arg(condition));
        return false;
    }
    return ok;
}

bool MessageDeletion::DeleteConversation(const QString &jid, const QString &suffix)
{
    return deleteWhere(QStringLiteral("unique_jid = ?"), {jid + suffix});
}

bool MessageDeletion::DeleteConversationInRange(const QString &jid, const QString &suffix, const int &rangeCode,
                                                const QString &start, const QString &end)
{
    QString condition = QStringLiteral("unique_jid = ?");
    QVariantList values{jid + suffix};
    if (rangeCode == 4) {
        condition += QStringLiteral(" AND time BETWEEN ? AND ?");
        values << start << end;
    } else if (rangeCode != 0 && !withRange(condition, values, rangeCode)) {
        // Codes without a range of their own reach from the beginning up to tomorrow.
        condition += QStringLiteral(" AND time BETWEEN ? AND ?");
        values << QString() << TimeRange::end();
    }
    return deleteWhere(condition, values);
}

bool MessageDeletion::DeleteMessagesByFlag(const QString &messageFlag, const int &rangeCode)
{
    QString condition = QStringLiteral("message_flag = ?");
    QVariantList values{messageFlag};
    withRange(condition, values, rangeCode);
    return deleteWhere(condition, values);
}

bool MessageDeletion::DeleteFlagGMessages(const int &rangeCode)
{
    return DeleteMessagesByFlag(QStringLiteral("G"), rangeCode);
}

bool MessageDeletion::DeleteFlagSMessages(const int &rangeCode)
{
    return DeleteMessagesByFlag(QStringLiteral("S"), rangeCode);
}

bool MessageDeletion::DeleteRoomMessages(const QString &roomJid, const QString &messageFlag, const int &rangeCode)
{
    QString condition = QStringLiteral("message_flag = ? AND jid = ?");
    QVariantList values{messageFlag, roomJid};
    withRange(condition, values, rangeCode);
    return deleteWhere(condition, values);
}

bool MessageDeletion::DeleteMessage(const QString &id, const QString &uniqueJid)
{
    return deleteWhere(QStringLiteral("id = ? AND unique_jid = ?"), {id, uniqueJid});
}

bool MessageDeletion::DeleteMessageById(const QString &id)
{
    return deleteWhere(QStringLiteral("id = ?"), {id});
}
