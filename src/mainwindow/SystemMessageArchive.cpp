#include "SystemMessageArchive.h"

#include "log/ShellLog.h"
#include "store/MessageLookup.h"
#include "store/MessageStore.h"

DBMessageSave SystemMessageArchive::toRecord(const MessageData &message, const QDateTime &received)
{
    DBMessageSave record;
    record.id = message.messageId;
    record.messageid = message.messageId;
    record.jid = message.fromJid;
    record.unique_jid = message.fromJid;
    record.senderJid = message.fromJid;
    record.sender = message.fromName;
    record.content = message.text;
    record.true_content = message.body.isEmpty() ? message.text : message.body;
    record.time = message.time;
    record.ztime = message.secondTime.isEmpty() ? message.time : message.secondTime;
    record.font = message.fontName;
    record.title_color = message.color;
    record.message_type = message.kind;
    record.message_flag = QStringLiteral("0");
    record.readed = message.read ? 1 : 0;
    record.receivetime = received.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    return record;
}

bool SystemMessageArchive::keep(const MessageData &message, const QDateTime &received)
{
    if (message.messageId.isEmpty()) {
        LOG_WARN(QStringLiteral("system message without id from %1: shown, not stored").arg(message.fromJid));
        return true;
    }
    if (!MessageLookup::MessageByMessageId(message.messageId).messageid.isEmpty()) {
        LOG_INFO(QStringLiteral("system message %1 already kept").arg(message.messageId));
        return false;
    }
    if (!MessageStore::InsertMessage(toRecord(message, received)))
        LOG_WARN(QStringLiteral("system message %1 not stored").arg(message.messageId));
    return true;
}
