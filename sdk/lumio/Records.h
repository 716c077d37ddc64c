#pragma once

#include <QMetaType>
#include <QString>

// Records the plug-ins answer by address; the shell copies them at once.

// The signed-in user as the user-directory plug-in knows it; folderName names
// the per-user folder under the message-file root.
struct UserRecord
{
    QString jid;
    QString account;
    QString folderName;
};

struct GroupRecord
{
    QString jid;
    QString name;
    QString headImagePath;
};

struct PublicAccountRecord
{
    QString jid;
    QString name;
    QString imagePath;
};

// A notice without a message: seven strings, the fifth is the text shown.
struct NoticeRecord
{
    QString id;
    QString jid;
    QString name;
    QString kind;
    QString text;
    QString time;
    QString extra;
};

Q_DECLARE_METATYPE(UserRecord)
Q_DECLARE_METATYPE(GroupRecord)
Q_DECLARE_METATYPE(PublicAccountRecord)
Q_DECLARE_METATYPE(NoticeRecord)
