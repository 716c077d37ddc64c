#include "ChatStore.h"

#include <QDateTime>

#ifdef LUMIO_PACK_HAS_STORE
#include "store/CLocalDataBase.h"
#include <QSqlDatabase>
#endif

const QString ChatStore::Suffix = QStringLiteral("F");

namespace {

#ifdef LUMIO_PACK_HAS_STORE
// The row key: short, unique within the process and across restarts.
QString rowId()
{
    static int counter = 0;
    return QString::number(QDateTime::currentMSecsSinceEpoch(), 36) + QString::number(++counter % 1296, 36);
}
#endif

} // namespace

bool ChatStore::save(const MessageData &message, const QString &peerJid, bool read)
{
#ifdef LUMIO_PACK_HAS_STORE
    DBMessageSave row;
    row.id = rowId();
    row.message_flag = Suffix;
    row.jid = peerJid;
    row.unique_jid = peerJid + Suffix;
    row.content = message.text;
    row.true_content = message.text;
    row.sender = message.fromName;
    row.senderJid = message.fromJid;
    row.time = message.time;
    row.ztime = message.time + QStringLiteral(".000");
    row.message_type = message.type;
    row.messageid = message.messageId;
    row.receivetime = message.time;
    row.readed = read ? 1 : 0;
    row.attr1 = message.attachmentName();
    return CLocalDataBase::InsertMessage(row);
#else
    Q_UNUSED(message)
    Q_UNUSED(peerJid)
    Q_UNUSED(read)
    return false;
#endif
}

bool ChatStore::markRead(const QString &peerJid, const QStringList &messageIds)
{
#ifdef LUMIO_PACK_HAS_STORE
    if (messageIds.isEmpty())
        return true;
    return CLocalDataBase::MarkMessagesRead(peerJid + Suffix, messageIds, QSqlDatabase::database());
#else
    Q_UNUSED(peerJid)
    Q_UNUSED(messageIds)
    return false;
#endif
}

QList<MessageData> ChatStore::recent(const QString &peerJid, int limit)
{
    QList<MessageData> messages;
#ifdef LUMIO_PACK_HAS_STORE
    const QList<DBMessageSave> rows = CLocalDataBase::MessagesOfConversation(peerJid, Suffix);
    for (qsizetype i = qMax<qsizetype>(0, rows.size() - limit); i < rows.size(); ++i) {
        const DBMessageSave &row = rows.at(i);
        MessageData m;
        m.fromJid = row.senderJid;
        m.fromName = row.sender;
        m.text = row.true_content;
        m.time = row.time;
        m.messageId = row.messageid;
        m.type = row.message_type;
        m.outgoing = row.senderJid != peerJid;
        m.read = row.readed != 0;
        messages.append(m);
    }
#else
    Q_UNUSED(peerJid)
    Q_UNUSED(limit)
#endif
    return messages;
}

bool ChatStore::deleteConversation(const QString &peerJid)
{
#ifdef LUMIO_PACK_HAS_STORE
    return CLocalDataBase::DeleteConversation(peerJid, Suffix);
#else
    Q_UNUSED(peerJid)
    return false;
#endif
}
