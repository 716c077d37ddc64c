#pragma once

#include <QString>

// One msgrecord row column for column, for callers that already hold the stored form.
struct MessageRow
{
    QString id;
    QString jid;
    QString unique_jid;
    QString sender;
    QString time;
    QString font;
    QString content;
    QString true_content;
    QString message_flag;
    QString title_color;
    qint32 message_type = 0;
    QString extension1;
    QString extension2;
    QString extension3;
    QString videoRotate;
    QString messageid;
    QString receivetime;
    qint32 readed = 0;
    QString senderJid;
    QString ztime;
    QString msgStatus;
};
