#pragma once

#include <QString>

// One remembered log-in account (a row of the login table). Password texts are stored
// exactly as the saving party gives them.
struct LoginInfo
{
    QString account;
    QString trueAccount;
    QString password;
    QString password2;
    qint32 showType = 0;
    qint32 isSavePassword = 0;
    qint32 isAutoLogin = 0;
    QString photoUrl;
    QString loginTime;
    QString displayname;
    QString signature;
    QString empphonenum;
};
