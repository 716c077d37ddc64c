#include "LoginDatabase.h"

#include <QDateTime>

#ifdef LUMIO_PACK_HAS_STORE
#include "store/AccountFolder.h"
#include "store/CLocalDataBase.h"
#include "store/LoginInfo.h"
#endif

QString LoginDatabase::folderOf(const QString &jid)
{
#ifdef LUMIO_PACK_HAS_STORE
    return AccountFolder::fromJid(jid);
#else
    return jid.section(QLatin1Char('@'), 0, 0).toLower().remove(QLatin1String("zq"));
#endif
}

bool LoginDatabase::open(const QString &account, const QString &basePath, QString *error)
{
#ifdef LUMIO_PACK_HAS_STORE
    if (!CLocalDataBase::Open(account, basePath, true)) {
        if (error)
            *error = QStringLiteral("data.db of %1 not opened").arg(account);
        return false;
    }
    return true;
#else
    Q_UNUSED(account)
    Q_UNUSED(basePath)
    if (error)
        *error = QStringLiteral("built without the store library");
    return false;
#endif
}

bool LoginDatabase::saveLogin(const QString &account, const QString &jid, const QString &name,
                              bool remember, bool autoLogin)
{
#ifdef LUMIO_PACK_HAS_STORE
    LoginInfo info;
    info.account = account;
    info.trueAccount = jid;
    info.displayname = name;
    info.isSavePassword = remember ? 1 : 0;
    info.isAutoLogin = autoLogin ? 1 : 0;
    info.loginTime = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    return LoginStore::SaveLoginInfo(info);
#else
    Q_UNUSED(account)
    Q_UNUSED(jid)
    Q_UNUSED(name)
    Q_UNUSED(remember)
    Q_UNUSED(autoLogin)
    return false;
#endif
}
