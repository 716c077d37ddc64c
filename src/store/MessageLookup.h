#pragma once

#include "StoreExport.h"

#include "DBMessageSave.h"

#include <QList>
#include <QString>
#include <QStringList>

// Reads of msgrecord by id, conversation, jid or message class. A conversation's key
// (unique_jid) is its jid followed directly by a suffix.
class LUMIO_STORE_EXPORT MessageLookup
{
public:
    static bool MessageExists(const QString &uniqueJid, const QString &messageId, const QString &messageFlag,
                              bool readOnly);
    static int MessageReadState(const QString &uniqueJid, const QString &messageId, const QString &messageFlag);
    static QString MessageStatus(const QString &uniqueJid, const QString &messageId);

    static DBMessageSave MessageByMessageId(const QString &messageId);
    static DBMessageSave MessageById(const QString &id);
    static DBMessageSave MessageByVideoRotate(const QString &value);

    static QList<DBMessageSave> MessagesByJid(const QString &jid);
    static QList<DBMessageSave> MessagesOfConversation(const QString &jid, const QString &suffix);
    static QList<DBMessageSave> ReadMessagesOfConversation(const QString &jid, const QString &suffix);
    static QList<DBMessageSave> MessagesOfConversations(const QString &jid, const QStringList &suffixes);
    static QList<DBMessageSave> SystemMessages();

    // Every message a bound statement selects (its columns as SchemaText::messageColumns()).
    static QList<DBMessageSave> messagesWhere(const QString &condition, const QVariantList &values);
};
