#pragma once

#include "StoreExport.h"

#include "LoginInfo.h"

#include <QList>
#include <QString>

// The login table: accounts remembered on this machine, newest log-in first.
class LUMIO_STORE_EXPORT LoginStore
{
public:
    // Inserts a new account, or updates an existing one's passwords, flags and log-in
    // time (its photo and profile texts stay).
    static bool SaveLoginInfo(const LoginInfo &info);
    // False when the account has no row.
    static bool UpdateLoginProfile(const LoginInfo &info);
    static bool UpdateAutoLogin(const LoginInfo &info);
    static bool DeleteLoginInfo(const QString &account);

    static QString LoginPhotoUrl(const QString &account);
    static LoginInfo LoginInfoByAccount(const QString &account);
    static LoginInfo LoginInfoByTrueAccount(const QString &trueAccount);
    // Accounts containing text literally ("%" and "_" are plain characters).
    static QList<LoginInfo> LoginInfosLike(const QString &text);
    static QList<LoginInfo> AllLoginInfos();

private:
    static bool hasAccount(const QString &account);
    static QList<LoginInfo> loginInfos(const QString &condition, const QVariantList &values);
};
