#pragma once

#include <QList>
#include <QMetaType>
#include <QString>

// One pending request (a friend request and the like) reported by the plug-ins.
struct RequestData
{
    QString id;
    QString jid;
    QString name;
    QString headImagePath;
    QString text;
    QString time;
    qint32 kind = 0;
    qint32 state = 0;
};

Q_DECLARE_METATYPE(RequestData)
Q_DECLARE_METATYPE(QList<RequestData>)
