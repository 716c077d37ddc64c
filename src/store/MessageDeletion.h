#pragma once

#include "StoreExport.h"

#include <QString>
#include <QVariantList>

// Deletes from msgrecord by conversation, message class, room or id, optionally within
// a time range (TimeRange's codes).
class LUMIO_STORE_EXPORT MessageDeletion
{
public:
    static bool DeleteConversation(const QString &jid, const QString &suffix);
    // Code 4 uses start and end; codes 1 to 3 their computed range; 0 everything.
    static bool DeleteConversationInRange(const QString &jid, const QString &suffix, const int &rangeCode,
                                          const QString &start, const QString &end);
    static bool DeleteMessagesByFlag(const QString &messageFlag, const int &rangeCode);
    static bool DeleteFlagGMessages(const int &rangeCode);
    static bool DeleteFlagSMessages(const int &rangeCode);
    // A group room's messages of one class; the room is matched on msgrecord.jid.
    static bool DeleteRoomMessages(const QString &roomJid, const QString &messageFlag, const int &rangeCode);
    static bool DeleteMessage(const QString &id, const QString &uniqueJid);
    static bool DeleteMessageById(const QString &id);

    static bool deleteWhere(const QString &condition, const QVariantList &values);
};
