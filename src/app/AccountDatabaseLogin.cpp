#include "AccountDatabaseLogin.h"

#include "SystemSetData.h"
#include "common/CommonFun.h"
#include "log/LogContext.h"
#include "log/ShellLog.h"
#include "store/CLocalDataBase.h"
#include "store/StoreLog.h"

bool AccountDatabaseLogin::openAfterLogin(const QString &ownJid)
{
    return openAfterLogin(ownJid, SystemSetData::instance()->messageFilePath());
}

bool AccountDatabaseLogin::openAfterLogin(const QString &ownJid, const QString &messageFileRoot)
{
    // The store library logs through the shell's published log (never destroyed), not
    // through Qt's handler, once there is one.
    if (LogContext *log = LogContext::published())
        StoreLog::setShared(log);
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
