#pragma once

#include <QMetaType>
#include <QString>

// A contact's card; the own-account query answers the user's own card too.
struct VcardInfo
{
    QString jid;
    QString account;
    QString nickName;
    QString remarkName;
    QString headImagePath;
    QString signature;
    qint32 presence = 0;
    qint32 presenceDetail = 0;

    // The remark a user gave a contact wins over the contact's own nickname.
    QString displayName() const
    {
        if (!remarkName.isEmpty())
            return remarkName;
        if (!nickName.isEmpty())
            return nickName;
        return jid.section(QLatin1Char('@'), 0, 0);
    }
};

Q_DECLARE_METATYPE(VcardInfo)
