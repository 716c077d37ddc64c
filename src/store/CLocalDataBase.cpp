#include "CLocalDataBase.h"

#include "AccountDatabasePath.h"
#include "DatabaseCheck.h"
#include "DatabaseSchema.h"
#include "SearchIndex.h"
#include "StoreHandle.h"
#include "StoreSql.h"
#include "StoreLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

bool CLocalDataBase::Open(const QString &account, const QString &basePath, bool fullSchema)
{
    DBMessageSave::registerMetaType();
    Close();
    if (!AccountDatabasePath::isUsableAccount(account)) {
        STORE_LOG_WARN(QStringLiteral("database not opened: \"%1\" is no account folder").arg(account));
        return false;
    }
    const QString defaultName = QLatin1String(QSqlDatabase::defaultConnection);
    StoreHandle::reset();
    if (QSqlDatabase::contains(defaultName))
        QSqlDatabase::removeDatabase(defaultName);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    StoreHandle::replace(db);

    const QString folder = AccountDatabasePath::accountFolder(account, basePath);
    if (!QDir().mkpath(folder)) {
        STORE_LOG_ERROR(QStringLiteral("database not opened: cannot create %1").arg(folder));
        return false;
    }
    const QString path = AccountDatabasePath::databaseFile(account, basePath);
    if (!QFileInfo::exists(path)) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            STORE_LOG_ERROR(QStringLiteral("database not opened: cannot create %1: %2").arg(path, file.errorString()));
            return false;
        }
    }
    db.setDatabaseName(path);
    if (!db.open()) {
        STORE_LOG_ERROR(QStringLiteral("database %1 not opened: %2").arg(path, StoreSql::describe(db.lastError())));
        return false;
    }
    // Qt opens any file; only the first read tells a database from a truncated copy or
    // something else. The file stays as it is: it may be all the user has of the history.
    {
        QSqlQuery probe(db);
        probe.setForwardOnly(true);
        if (!probe.exec(QStringLiteral("SELECT count(*) FROM main.sqlite_master")) || !probe.next()) {
            STORE_LOG_ERROR(QStringLiteral("database %1 not opened: no usable database: %2")
                                .arg(path, StoreSql::describe(probe.lastError())));
            probe.clear();
            db.close();
            return false;
        }
    }
    {
        QSqlQuery query(db);
        StoreSql::run(query, QStringLiteral("PRAGMA synchronous = OFF"));
    }
    if (fullSchema) {
        CreateAllTables();
        // The keyword index in data.search beside data.db; it catches up in the background.
        SearchIndex::instance()->attach(db);
    } else {
        DatabaseSchema::ensureTable(db, QStringLiteral("login"));
    }
    return true;
}

void CLocalDataBase::Close()
{
    SearchIndex::instance()->detach();
    QSqlDatabase db = StoreHandle::database();
    if (db.isOpen())
        db.close();
}

void CLocalDataBase::CreateAllTables()
{
    DatabaseSchema::ensureAllTables(StoreHandle::database());
}

bool CLocalDataBase::CheckDatabase(const QString &account, const QString &basePath, bool fullCheck)
{
    return DatabaseCheck::check(account, basePath, fullCheck);
}

bool CLocalDataBase::TableExists(const QString &table)
{
    return DatabaseSchema::tableExists(StoreHandle::database(), table);
}

bool CLocalDataBase::ColumnExists(const QString &table, const QString &column)
{
    return DatabaseSchema::columnExists(StoreHandle::database(), table, column);
}

bool CLocalDataBase::ColumnHasEr02(const QString &table, const QString &column)
{
    return DatabaseSchema::columnHasEr02(StoreHandle::database(), table, column);
}

bool CLocalDataBase::SchemaMentions(const QString &table, const QString &word)
{
    return DatabaseSchema::schemaMentions(StoreHandle::database(), table, word);
}

bool CLocalDataBase::DropTable(const QString &table)
{
    return DatabaseSchema::dropTable(StoreHandle::database(), table);
}
