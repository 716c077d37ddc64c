#pragma once

#include "StoreExport.h"

#include <QString>

// Where an account's data.db lives: <message-file root>/<account folder>/data.db.
class LUMIO_STORE_EXPORT AccountDatabasePath
{
public:
    // basePath, or the documents folder's "TavrinImFiles" when it is empty.
    static QString root(const QString &basePath);
    static QString accountFolder(const QString &account, const QString &basePath);
    static QString databaseFile(const QString &account, const QString &basePath);
    // Empty names would put data.db into the root itself; separators would leave it.
    static bool isUsableAccount(const QString &account);
};
