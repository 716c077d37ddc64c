#include "MessageLookup.h"

#include "MessageMapping.h"
#include "SchemaText.h"
#include "StoreHandle.h"
#include "StoreSql.h"
#include "StoreLog.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

bool select(QSqlQuery &query, const QString &condition, const QVariantList &values)
{
    const QString sql = QStringLiteral("SELECT ") + SchemaText::messageColumns()
        + QStringLiteral(" FROM msgrecord WHERE ") + condition;
    if (!query.prepare(sql)) {
        STORE_LOG_WARN(QStringLiteral("cannot prepare \"%1\": %2").arg(sql, StoreSql::describe(query.lastError())));
        return false;
    }
    for (int i = 0; i < values.size(); ++i) {
        const QVariant &value = values.at(i);
        query.bindValue(i, value.typeId() == QMetaType::QString ? QVariant(StoreSql::bindable(value.toString()))
                                                                 : value);
    }
    if (query.exec())
        return true;
    STORE_LOG_WARN(QStringLiteral("\"%1\" failed: %2").arg(sql, StoreSql::describe(query.lastError())));
    return false;
}

DBMessageSave firstMessage(const QString &condition, const QVariantList &values)
{
    QSqlQuery query(StoreHandle::database());
    if (select(query, condition, values) && query.next())
        return MessageMapping::fromQuery(query);
    return {};
}

} // namespace

QList<DBMessageSave> MessageLookup::messagesWhere(const QString &condition, const QVariantList &values)
{
    QList<DBMessageSave> messages;
    QSqlQuery query(StoreHandle::database());
    query.setForwardOnly(true);
    if (!select(query, condition, values))
        return messages;
    while (query.next())
        messages.append(MessageMapping::fromQuery(query));
    return messages;
}

bool MessageLookup::MessageExists(const QString &uniqueJid, const QString &messageId, const QString &messageFlag,
                                  bool readOnly)
{
    QString sql = QStringLiteral("SELECT time FROM msgrecord WHERE unique_jid = ? and messageid = ? and "
                                 "message_flag = ?");
    if (readOnly)
        sql += QStringLiteral(" and readed =1 ");
    return StoreSql::hasRow(StoreHandle::database(), sql, {uniqueJid, messageId, messageFlag});
}

int MessageLookup::MessageReadState(const QString &uniqueJid, const QString &messageId, const QString &messageFlag)
{
    return StoreSql::firstValue(StoreHandle::database(),
                                QStringLiteral("SELECT readed FROM msgrecord WHERE unique_jid = ? and messageid = ? "
                                               "and message_flag = ?"),
                                {uniqueJid, messageId, messageFlag})
        .toInt();
}

QString MessageLookup::MessageStatus(const QString &uniqueJid, const QString &messageId)
{
    return StoreSql::firstValue(StoreHandle::database(),
                                QStringLiteral("SELECT msgStatus FROM msgrecord WHERE messageid = ? AND "
                                               "unique_jid = ?"),
                                {messageId, uniqueJid})
        .toString();
}

DBMessageSave MessageLookup::MessageByMessageId(const QString &messageId)
{
    return firstMessage(QStringLiteral("messageid = ?"), {messageId});
}

DBMessageSave MessageLookup::MessageById(const QString &id)
{
    return firstMessage(QStringLiteral("id = ?"), {id});
}

DBMessageSave MessageLookup::MessageByVideoRotate(const QString &value)
{
    return firstMessage(QStringLiteral("videoRotate = ?"), {value});
}

QList<DBMessageSave> MessageLookup::MessagesByJid(const QString &jid)
{
    return messagesWhere(QStringLiteral("jid = ?"), {jid});
}

QList<DBMessageSave> MessageLookup::MessagesOfConversation(const QString &jid, const QString &suffix)
{
    return messagesWhere(QStringLiteral("unique_jid = ? order by time asc, rowid asc"), {jid + suffix});
}

QList<DBMessageSave> MessageLookup::ReadMessagesOfConversation(const QString &jid, const QString &suffix)
{
    return messagesWhere(QStringLiteral("unique_jid = ? AND readed = 1"), {jid + suffix});
}

QList<DBMessageSave> MessageLookup::MessagesOfConversations(const QString &jid, const QStringList &suffixes)
{
    QList<DBMessageSave> messages;
    for (const QString &suffix : suffixes)
        messages.append(messagesWhere(QStringLiteral("unique_jid = ?"), {jid + suffix}));
    return messages;
}

QList<DBMessageSave> MessageLookup::SystemMessages()
{
    return messagesWhere(QStringLiteral("message_flag = ?"), {QStringLiteral("S")});
}
