#include "AccountDatabasePath.h"

#include "AccountFolder.h"

#include <QFileInfo>
#include <QStandardPaths>

QString AccountDatabasePath::root(const QString &basePath)
{
    if (!basePath.isEmpty())
        return basePath;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/TavrinImFiles");
}

QString AccountDatabasePath::accountFolder(const QString &account, const QString &basePath)
{
    return QFileInfo(root(basePath) + QLatin1Char('/') + account).absoluteFilePath();
}

QString AccountDatabasePath::databaseFile(const QString &account, const QString &basePath)
{
    return accountFolder(account, basePath) + QStringLiteral("/data.db");
}

bool AccountDatabasePath::isUsableAccount(const QString &account)
{
    return AccountFolder::isUsableFolderName(account);
}
