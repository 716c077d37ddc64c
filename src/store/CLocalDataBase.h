#pragma once

#include "StoreExport.h"

#include "FileStatusStore.h"
#include "LoginStore.h"
#include "MessageDeletion.h"
#include "MessageLookup.h"
#include "MessageSearch.h"
#include "MessageStore.h"

#include <QString>

// The account's local database, data.db: connection, schema, integrity check, and (through
// the bases, by table) every row operation. Everything runs on one process-wide handle.
class LUMIO_STORE_EXPORT CLocalDataBase : public MessageStore,
                       public MessageLookup,
                       public MessageDeletion,
                       public MessageSearch,
                       public FileStatusStore,
                       public LoginStore
{
public:
    // Opens <basePath>/<account>/data.db on the default connection, creating folders and
    // file as needed; fullSchema false ensures only the login table.
    static bool Open(const QString &account, const QString &basePath, bool fullSchema);
    static void Close();
    static void CreateAllTables();
    // False only when the file exists and is damaged.
    static bool CheckDatabase(const QString &account, const QString &basePath, bool fullCheck);

    static bool TableExists(const QString &table);
    static bool ColumnExists(const QString &table, const QString &column);
    static bool ColumnHasEr02(const QString &table, const QString &column);
    static bool SchemaMentions(const QString &table, const QString &word);
    static bool DropTable(const QString &table);
};
