#include "DatabaseCheck.h"

#include "AccountDatabasePath.h"
#include "StoreSql.h"
#include "StoreLog.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace {

const QString kConnection = QStringLiteral("my_sql_db");
const QString kCheckId = QStringLiteral("checkid");

bool cannotCheck(int code)
{
    return code == StoreSql::Busy || code == StoreSql::Locked || code == StoreSql::CantOpen;
}

bool isDamage(int code)
{
    return code == StoreSql::Corrupt || code == StoreSql::NotADatabase;
}

} // namespace

bool DatabaseCheck::check(const QString &account, const QString &basePath, bool fullCheck)
{
    if (!AccountDatabasePath::isUsableAccount(account)) {
        STORE_LOG_WARN(QStringLiteral("database check skipped: \"%1\" is no account folder").arg(account));
        return true;
    }
    const QString path = AccountDatabasePath::databaseFile(account, basePath);
    if (!QFileInfo::exists(path)) {
        STORE_LOG_INFO(QStringLiteral("database check: %1 does not exist").arg(path));
        return true;
    }
    bool healthy = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
        // The check runs on the GUI thread: do not wait long for another writer.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=300"));
        db.setDatabaseName(path);
        if (!db.open()) {
            STORE_LOG_WARN(QStringLiteral("database check: cannot open %1: %2").arg(path, StoreSql::describe(db.lastError())));
        } else {
            healthy = fullCheck ? integrityOk(db) : quickCheck(db);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(kConnection);
    STORE_LOG_INFO(QStringLiteral("database check of %1: %2").arg(path, healthy ? QStringLiteral("usable")
                                                                         : QStringLiteral("damaged")));
    return healthy;
}

bool DatabaseCheck::integrityOk(const QSqlDatabase &db)
{
    QSqlQuery query(db);
    if (query.exec(QStringLiteral("PRAGMA integrity_check")) && query.next()) {
        const QString verdict = query.value(0).toString();
        if (verdict != QLatin1String("ok"))
            STORE_LOG_WARN(QStringLiteral("integrity check: %1").arg(verdict));
        return verdict == QLatin1String("ok");
    }
    const int code = StoreSql::resultCode(query);
    if (cannotCheck(code)) {
        STORE_LOG_WARN(QStringLiteral("integrity check not possible now, counted as usable: %1")
                     .arg(StoreSql::describe(query.lastError())));
        return true;
    }
    STORE_LOG_WARN(QStringLiteral("integrity check failed: %1").arg(StoreSql::describe(query.lastError())));
    return false;
}

// The probe row lives only inside a transaction that is always rolled back.
bool DatabaseCheck::quickCheck(QSqlDatabase db)
{
    if (!db.transaction()) {
        const int code = StoreSql::resultCode(db.lastError());
        STORE_LOG_WARN(QStringLiteral("quick check: no transaction: %1").arg(StoreSql::describe(db.lastError())));
        return cannotCheck(code) ? true : isDamage(code) ? false : integrityOk(db);
    }
    int code = StoreSql::Ok;
    QString description;
    {
        QSqlQuery probe(db);
        bool inserted = probe.prepare(QStringLiteral("INSERT INTO msgrecord (id)VALUES (?)"));
        if (inserted) {
            probe.bindValue(0, kCheckId);
            inserted = probe.exec();
        }
        if (!inserted) {
            code = StoreSql::resultCode(probe);
            description = StoreSql::describe(probe.lastError());
        }
    }
    if (code == StoreSql::Constraint) {
        // A probe row an earlier version left behind.
        QSqlQuery cleanup(db);
        if (StoreSql::run(cleanup, QStringLiteral("DELETE FROM msgrecord WHERE id = ?"), {kCheckId})) {
            cleanup.finish();
            if (db.commit())
                return true;
        }
        STORE_LOG_WARN(QStringLiteral("quick check: old probe row not removed: %1").arg(StoreSql::describe(db.lastError())));
        db.rollback();
        return true;
    }
    db.rollback();
    if (code == StoreSql::Ok)
        return true;
    if (cannotCheck(code)) {
        STORE_LOG_WARN(QStringLiteral("quick check not possible now, counted as usable: %1").arg(description));
        return true;
    }
    if (isDamage(code)) {
        STORE_LOG_WARN(QStringLiteral("quick check: %1").arg(description));
        return false;
    }
    STORE_LOG_INFO(QStringLiteral("quick check inconclusive (%1); running the integrity check").arg(description));
    return integrityOk(db);
}
