#include "AccountDatabaseLogin.h"

#include "CLocalDataBase.h"
#include "app/settings/SystemSetData.h"
#include "common/CommonFun.h"
#include "log/ShellLog.h"

bool AccountDatabaseLogin::openAfterLogin(const QString &ownJid)
{
    return openAfterLogin(ownJid, SystemSetData::instance()->messageFilePath());
}

bool AccountDatabaseLogin::openAfterLogin(const QString &ownJid, const QString &messageFileRoot)
{
    const QString folder = CommonFun::jidToFolderName(ownJid);
    if (folder.isEmpty()) {
        LOG_ERROR(QStringLiteral("account database not opened: jid \"%1\" names no account folder").arg(ownJid));
        return false;
    }
    const bool opened = CLocalDataBase::Open(folder, messageFileRoot, true);
    if (opened)
        LOG_INFO(QStringLiteral("account database of %1 open in %2/%3").arg(ownJid, messageFileRoot, folder));
    else
        LOG_ERROR(QStringLiteral("account database of %1 in %2/%3 not opened").arg(ownJid, messageFileRoot, folder));
    return opened;
}
