#pragma once

#include "StoreExport.h"

#include <QMetaType>
#include <QString>

// One message as the history store reads and writes it. The meaning of attr1..attr16
// depends on message_type; MessageMapping says which of them the generic columns carry.
struct LUMIO_STORE_EXPORT DBMessageSave
{
    QString message_flag;
    QString jid;
    QString unique_jid;
    QString content;
    QString true_content;
    QString sender;
    QString font;
    QString time;
    QString ztime;
    QString title_color;
    QString id;
    qint32 message_type = 0;
    QString attr1;
    QString attr2;
    QString attr3;
    QString attr4;
    QString attr5;
    QString attr6;
    QString attr7;
    QString attr8;
    QString attr9;
    QString attr10;
    QString attr11;
    QString attr12;
    QString messageid;
    QString receivetime;
    QString attr13;
    QString attr14;
    qint32 readed = 0;
    QString attr15;
    QString senderJid;
    QString attr16;
    QString msgStatus;

    // Registers the type under the name "DBMessageSave" for queued signals; idempotent.
    static void registerMetaType();
};

Q_DECLARE_METATYPE(DBMessageSave)
