#include "LoginStore.h"

#include "IndexUpkeep.h"
#include "StoreHandle.h"
#include "StoreSql.h"
#include "StoreLog.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

const QString kColumns = QStringLiteral("account, trueAccount, password, showType, isSavePassword, isAutoLogin, "
                                        "photoUrl, loginTime, password2, displayname, signature, empphonenum");

LoginInfo fromQuery(const QSqlQuery &query)
{
    LoginInfo info;
    info.account = query.value(0).toString();
    info.trueAccount = query.value(1).toString();
    info.password = query.value(2).toString();
    info.showType = query.value(3).toInt();
    info.isSavePassword = query.value(4).toInt();
    info.isAutoLogin = query.value(5).toInt();
    info.photoUrl = query.value(6).toString();
    info.loginTime = query.value(7).toString();
    info.password2 = query.value(8).toString();
    info.displayname = query.value(9).toString();
    info.signature = query.value(10).toString();
    info.empphonenum = query.value(11).toString();
    return info;
}

// Writes of other tables are the store's own too: the search index must not take them for
// somebody else's and verify every message again.
bool execute(const QString &sql, std::initializer_list<QVariant> values)
{
    const QSqlDatabase db = StoreHandle::database();
    IndexUpkeep upkeep(db, IndexUpkeep::Kind::Neutral);
    QSqlQuery query(db);
    const bool ok = StoreSql::run(query, sql, values);
    query.clear();
    upkeep.finish(ok);
    return ok;
}

} // namespace

bool LoginStore::hasAccount(const QString &account)
{
    return !StoreSql::firstValue(StoreHandle::database(),
                                 QStringLiteral("SELECT account FROM login WHERE account = ?"), {account})
                .toString()
                .isEmpty();
}

QList<LoginInfo> LoginStore::loginInfos(const QString &condition, const QVariantList &values)
{
    QList<LoginInfo> infos;
    QSqlQuery query(StoreHandle::database());
    const QString sql = QStringLiteral("SELECT ") + kColumns + QStringLiteral(" FROM login") + condition;
    if (!query.prepare(sql)) {
        STORE_LOG_WARN(QStringLiteral("cannot prepare \"%1\": %2").arg(sql, StoreSql::describe(query.lastError())));
        return infos;
    }
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, StoreSql::bindable(values.at(i).toString()));
    if (!query.exec()) {
        STORE_LOG_WARN(QStringLiteral("\"%1\" failed: %2").arg(sql, StoreSql::describe(query.lastError())));
        return infos;
    }
    while (query.next())
        infos.append(fromQuery(query));
    return infos;
}

bool LoginStore::SaveLoginInfo(const LoginInfo &info)
{
    if (!hasAccount(info.account)) {
        return execute(QStringLiteral("INSERT INTO login (account, trueAccount, password, showType, isSavePassword, "
                                      "isAutoLogin, photoUrl, loginTime, password2) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                       {info.account, info.trueAccount, info.password, info.showType, info.isSavePassword,
                        info.isAutoLogin, info.photoUrl, info.loginTime, info.password2});
    }
    return execute(QStringLiteral("UPDATE login SET  trueAccount = ?, password = ?, showType = ?, "
                                  "isSavePassword = ?, isAutoLogin = ?, loginTime = ?, password2 = ? "
                                  "WHERE account = ?"),
                   {info.trueAccount, info.password, info.showType, info.isSavePassword, info.isAutoLogin,
                    info.loginTime, info.password2, info.account});
}

bool LoginStore::UpdateLoginProfile(const LoginInfo &info)
{
    if (!hasAccount(info.account)) {
        STORE_LOG_INFO(QStringLiteral("no remembered account %1: profile not stored").arg(info.account));
        return false;
    }
    return execute(QStringLiteral("UPDATE login SET photoUrl = ?,displayname = ?,signature = ?,empphonenum = ? "
                                  "WHERE account = ?"),
                   {info.photoUrl, info.displayname, info.signature, info.empphonenum, info.account});
}

bool LoginStore::UpdateAutoLogin(const LoginInfo &info)
{
    if (!hasAccount(info.account)) {
        STORE_LOG_INFO(QStringLiteral("no remembered account %1: automatic log-in unchanged").arg(info.account));
        return false;
    }
    return execute(QStringLiteral("UPDATE login SET  isAutoLogin = ?, showType = ? WHERE account = ?"),
                   {info.isAutoLogin, info.showType, info.account});
}

bool LoginStore::DeleteLoginInfo(const QString &account)
{
    return execute(QStringLiteral("DELETE FROM login WHERE account = ?"), {account});
}

QString LoginStore::LoginPhotoUrl(const QString &account)
{
    return StoreSql::firstValue(StoreHandle::database(),
                                QStringLiteral("SELECT photoUrl FROM login WHERE account = ?"), {account})
        .toString();
}

LoginInfo LoginStore::LoginInfoByAccount(const QString &account)
{
    const QList<LoginInfo> infos = loginInfos(QStringLiteral(" WHERE account = ? LIMIT 1"), {account});
    return infos.isEmpty() ? LoginInfo() : infos.first();
}

LoginInfo LoginStore::LoginInfoByTrueAccount(const QString &trueAccount)
{
    const QList<LoginInfo> infos = loginInfos(QStringLiteral(" WHERE trueAccount = ? LIMIT 1"), {trueAccount});
    return infos.isEmpty() ? LoginInfo() : infos.first();
}

QList<LoginInfo> LoginStore::LoginInfosLike(const QString &text)
{
    return loginInfos(QStringLiteral(" WHERE account LIKE ? ESCAPE '!' ORDER BY loginTime  DESC"),
                      {StoreSql::containsPattern(text)});
}

QList<LoginInfo> LoginStore::AllLoginInfos()
{
    return loginInfos(QStringLiteral(" ORDER BY loginTime  DESC"), {});
}
