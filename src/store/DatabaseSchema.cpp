#include "DatabaseSchema.h"

#include "SchemaText.h"
#include "StoreSql.h"
#include "StoreLog.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QStringList>

namespace {
const QString kMessages = QStringLiteral("msgrecord");
// Not part of the historical schema: serves the search's sender comparison.
const QString kSenderIndex = QStringLiteral("msgrecord_sender_index");
}

bool DatabaseSchema::isIdentifier(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (pattern.match(name).hasMatch())
        return true;
    STORE_LOG_WARN(QStringLiteral("\"%1\" is no table or column name").arg(name));
    return false;
}

bool DatabaseSchema::execute(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery query(db);
    const bool ok = StoreSql::run(query, sql);
    query.clear();
    return ok;
}

bool DatabaseSchema::tableExists(const QSqlDatabase &db, const QString &table)
{
    return StoreSql::firstValue(db,
                                QStringLiteral("SELECT 1 FROM sqlite_master where type = 'table' and  name = ?"),
                                {table})
               .toInt()
        != 0;
}

bool DatabaseSchema::columnExists(const QSqlDatabase &db, const QString &table, const QString &column)
{
    return StoreSql::firstValue(db,
                                QStringLiteral("SELECT 1 FROM sqlite_master where type = 'table' and name= ? "
                                               "and sql like ?"),
                                {table, QLatin1Char('%') + column + QLatin1Char('%')})
               .toInt()
        != 0;
}

bool DatabaseSchema::columnHasEr02(const QSqlDatabase &db, const QString &table, const QString &column)
{
    if (!isIdentifier(table) || !isIdentifier(column))
        return false;
    return StoreSql::firstValue(db, QStringLiteral("SELECT 1 FROM ") + table + QStringLiteral(" where ") + column
                                        + QStringLiteral(" like '%er02%'"))
               .toInt()
        != 0;
}

bool DatabaseSchema::schemaMentions(const QSqlDatabase &db, const QString &table, const QString &word)
{
    return StoreSql::hasRow(db, QStringLiteral("select * from sqlite_master where name = ? and sql like ?"),
                            {table, QLatin1Char('%') + word + QLatin1Char('%')});
}

bool DatabaseSchema::dropTable(const QSqlDatabase &db, const QString &table)
{
    return isIdentifier(table) && execute(db, QStringLiteral("DROP TABLE ") + table);
}

bool DatabaseSchema::addColumn(const QSqlDatabase &db, const QString &table, const QString &definition)
{
    const QString column = definition.section(QLatin1Char(' '), 0, 0);
    if (columnExists(db, table, column))
        return false;
    return execute(db, QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" ADD ") + definition);
}

void DatabaseSchema::addColumnMarkingRows(const QSqlDatabase &db, const QString &table, const QString &definition)
{
    const QString column = definition.section(QLatin1Char(' '), 0, 0);
    addColumnFilled(db, table, definition,
                    QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + QLatin1Char(' ') + column
                        + QStringLiteral(" = ?"),
                    1);
}

// The column and its fill in one savepoint: a fill that fails (or never runs because the
// process ended) takes the column back with it, so the next Open adds and fills it again.
// A column that was there alone would never be filled.
bool DatabaseSchema::addColumnFilled(const QSqlDatabase &db, const QString &table, const QString &definition,
                                     const QString &fill, const QVariant &value)
{
    const QString column = definition.section(QLatin1Char(' '), 0, 0);
    if (columnExists(db, table, column))
        return false;
    StoreSql::Savepoint savepoint(db, QStringLiteral("lumio_migrate"));
    if (!savepoint.isActive() || !addColumn(db, table, definition))
        return false;
    QSqlQuery query(db);
    const bool filled = value.isValid() ? StoreSql::run(query, fill, {value}) : StoreSql::run(query, fill);
    query.clear();
    if (!filled) {
        STORE_LOG_WARN(QStringLiteral("%1.%2 not added: its old rows could not be filled; tried again on the next open")
                           .arg(table, column));
        return false;
    }
    return savepoint.release();
}

// Every column of the current layout, whatever the older file lacked, so that no statement
// of the store meets a missing column. The columns a migration fills are left to it.
void DatabaseSchema::completeLayout(const QSqlDatabase &db, const QString &table)
{
    static const QStringList filledByMigration{QStringLiteral("receivetime"), QStringLiteral("readed"),
                                               QStringLiteral("isemployee")};
    QStringList present;
    {
        QSqlQuery query(db);
        if (!StoreSql::run(query, QStringLiteral("PRAGMA table_info(") + table + QLatin1Char(')')))
            return;
        while (query.next())
            present << query.value(1).toString().toLower();
    }
    if (present.isEmpty())
        return;
    for (const QString &definition : columnDefinitions(table)) {
        const QString column = definition.section(QLatin1Char(' '), 0, 0);
        if (present.contains(column.toLower()) || filledByMigration.contains(column, Qt::CaseInsensitive))
            continue;
        STORE_LOG_INFO(QStringLiteral("%1 lacks column %2: added").arg(table, column));
        execute(db, QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" ADD ") + definition);
    }
}

// The schema's column definitions of table, each "name type" without key constraints
// (ALTER TABLE cannot add a key).
QStringList DatabaseSchema::columnDefinitions(const QString &table)
{
    QString list = SchemaText::columnsOf(table).trimmed();
    if (list.startsWith(QLatin1Char('(')) && list.endsWith(QLatin1Char(')')))
        list = list.mid(1, list.size() - 2);
    QStringList definitions;
    int depth = 0;
    QString current;
    for (const QChar c : list) {
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')'))
            --depth;
        if (c == QLatin1Char(',') && depth == 0) {
            definitions << current;
            current.clear();
        } else {
            current += c;
        }
    }
    definitions << current;
    static const QRegularExpression key(QStringLiteral("\\s*primary\\s+key\\s*"),
                                        QRegularExpression::CaseInsensitiveOption);
    QStringList out;
    for (QString definition : definitions) {
        definition = definition.simplified().replace(key, QStringLiteral(" ")).simplified();
        if (!definition.isEmpty() && isIdentifier(definition.section(QLatin1Char(' '), 0, 0)))
            out << definition;
    }
    return out;
}

void DatabaseSchema::rewriteColumn(const QSqlDatabase &db, const QString &table, const QString &column,
                                   const QString &from, const QString &to)
{
    execute(db, QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + QLatin1Char(' ') + column
                    + QStringLiteral(" = ") + QStringLiteral(" REPLACE(") + column + QStringLiteral(",'") + from
                    + QStringLiteral("','") + to + QStringLiteral("')"));
}

// A rewritten key that already exists would fail the whole UPDATE on every start; the
// existing row wins. instr, not LIKE: REPLACE is case-sensitive and LIKE is not.
void DatabaseSchema::deleteRewriteCollisions(const QSqlDatabase &db, const QString &table, const QString &from,
                                             const QString &to)
{
    const QString rewritten = QStringLiteral("REPLACE(jid,'") + from + QStringLiteral("','") + to
        + QStringLiteral("')");
    const QString hasFrom = QStringLiteral("instr(jid,'") + from + QStringLiteral("') > 0");
    execute(db, QStringLiteral("DELETE FROM ") + table + QStringLiteral(" WHERE ") + hasFrom + QStringLiteral(" AND (")
                    + rewritten + QStringLiteral(" IN (SELECT jid FROM ") + table
                    + QStringLiteral(" WHERE jid IS NOT NULL) OR rowid NOT IN (SELECT min(rowid) FROM ") + table
                    + QStringLiteral(" WHERE ") + hasFrom + QStringLiteral(" GROUP BY ") + rewritten
                    + QStringLiteral("))"));
}

bool DatabaseSchema::create(const QSqlDatabase &db, const QString &table)
{
    return execute(db, SchemaText::createTable(table));
}

void DatabaseSchema::ensureMessageIndexes(const QSqlDatabase &db, bool created)
{
    if (created) {
        execute(db, SchemaText::createIndex(kMessages, 1, QStringLiteral("unique_jid")));
        execute(db, SchemaText::createIndex(kMessages, 2, QStringLiteral("message_flag")));
        execute(db, SchemaText::createIndex(kMessages, 3, QStringLiteral("messageid")));
    } else {
        // An Open that ended between the CREATE and its indexes left them missing.
        const char *columns[] = {"unique_jid", "message_flag", "messageid"};
        for (int number = 1; number <= 3; ++number) {
            if (!StoreSql::hasRow(db,
                                  QStringLiteral("SELECT * FROM sqlite_master") +
                                      QStringLiteral(" WHERE type = 'index' AND tbl_name = ? AND name = ?"),
                                  {kMessages, SchemaText::indexName(kMessages, number)}))
                execute(db, SchemaText::createIndex(kMessages, number, QString::fromLatin1(columns[number - 1])));
        }
    }
    execute(db, QStringLiteral("CREATE INDEX IF NOT EXISTS ") + kSenderIndex + QStringLiteral(" on ") + kMessages
                    + QStringLiteral("(sender)"));
}

void DatabaseSchema::ensureAllTables(const QSqlDatabase &db)
{
    for (const SchemaText::Table &table : SchemaText::tables())
        ensureTable(db, table.name);
}

void DatabaseSchema::ensureTable(const QSqlDatabase &db, const QString &table)
{
    if (SchemaText::columnsOf(table).isEmpty()) {
        STORE_LOG_WARN(QStringLiteral("no table %1 in the schema").arg(table));
        return;
    }
    if (!tableExists(db, table)) {
        StoreSql::Savepoint savepoint(db, QStringLiteral("lumio_create"));
        const bool created = create(db, table);
        if (created && table == kMessages)
            ensureMessageIndexes(db, true);
        else if (created && table == QLatin1String("pubaccmsgtable"))
            execute(db, SchemaText::createIndex(table, 1, QStringLiteral("unique_jid")));
        if (created)
            savepoint.release();
        return;
    }
    if (table == QLatin1String("login"))
        migrateLogin(db);
    else if (table == QLatin1String("latestfriend"))
        migrateLatestFriend(db);
    else if (table == QLatin1String("deletedfriend"))
        migrateDeletedFriend(db);
    else if (table == kMessages)
        migrateMessageRecord(db);
    else if (table == QLatin1String("friendlist"))
        migrateFriendList(db);
    else if (table == QLatin1String("msglist"))
        migrateMessageList(db);
    else if (table == QLatin1String("requesttable"))
        migrateRequestTable(db);
    else if (table == QLatin1String("mucrecord"))
        migrateRoomRecord(db);
    else if (table == QLatin1String("callhistoryrecord"))
        migrateCallHistory(db);
    if (tableExists(db, table))
        completeLayout(db, table);
}

void DatabaseSchema::migrateLogin(const QSqlDatabase &db)
{
    const QString table = QStringLiteral("login");
    addColumn(db, table, QStringLiteral("displayname VARCHAR(100)"));
    addColumn(db, table, QStringLiteral("signature VARCHAR(100)"));
    addColumn(db, table, QStringLiteral("empphonenum VARCHAR(100)"));
}

void DatabaseSchema::migrateLatestFriend(const QSqlDatabase &db)
{
    const QString table = QStringLiteral("latestfriend");
    if (columnHasEr02(db, table, QStringLiteral("jid"))) {
        execute(db, QStringLiteral("DELETE from ") + table + QStringLiteral(" where jid in (select jid from ") + table
                        + QStringLiteral(" where jid like '%er02%'  and  displayname in (select displayname from  ")
                        + table + QStringLiteral(" where jid like '%er01%')) or jid is null"));
        deleteRewriteCollisions(db, table);
        rewriteColumn(db, table, QStringLiteral("jid"));
    }
    addColumnMarkingRows(db, table, QStringLiteral("isemployee INT"));
    addColumn(db, table, QStringLiteral("onjob VARCHAR(100)"));
}

void DatabaseSchema::migrateDeletedFriend(const QSqlDatabase &db)
{
    const QString table = QStringLiteral("deletedfriend");
    if (columnHasEr02(db, table, QStringLiteral("jid"))) {
        deleteRewriteCollisions(db, table);
        rewriteColumn(db, table, QStringLiteral("jid"));
    }
    addColumn(db, table, QStringLiteral("icon VARCHAR(100)"));
    addColumnMarkingRows(db, table, QStringLiteral("isemployee INT"));
    addColumn(db, table, QStringLiteral("onjob VARCHAR(100)"));
}

void DatabaseSchema::migrateMessageRecord(const QSqlDatabase &db)
{
    for (const char *definition : {"message_type INT", "extension1 VARCHAR(100)", "extension2 VARCHAR(100)",
                                   "extension3 VARCHAR(20)", "videoRotate VARCHAR(5)", "messageid VARCHAR(100)"})
        addColumn(db, kMessages, QString::fromLatin1(definition));
    addColumnFilled(db, kMessages, QStringLiteral("receivetime VARCHAR(100)"),
                    QStringLiteral("UPDATE msgrecord SET receivetime = time"));
    addColumnMarkingRows(db, kMessages, QStringLiteral("readed INT"));
    addColumn(db, kMessages, QStringLiteral("senderJid VARCHAR(100)"));
    addColumn(db, kMessages, QStringLiteral("ztime VARCHAR(100)"));
    addColumn(db, kMessages, QStringLiteral("msgStatus VARCHAR(20)"));
    if (columnHasEr02(db, kMessages, QStringLiteral("unique_jid")))
        rewriteColumn(db, kMessages, QStringLiteral("unique_jid"));
    ensureMessageIndexes(db, false);
}

void DatabaseSchema::migrateFriendList(const QSqlDatabase &db)
{
    const QString table = QStringLiteral("friendlist");
    if (columnHasEr02(db, table, QStringLiteral("jid"))) {
        deleteRewriteCollisions(db, table);
        rewriteColumn(db, table, QStringLiteral("jid"));
    }
    addColumnMarkingRows(db, table, QStringLiteral("isemployee INT"));
    addColumn(db, table, QStringLiteral("onjob VARCHAR(100)"));
    if (!schemaMentions(db, table, QStringLiteral("groupname"))
        || !schemaMentions(db, table, QStringLiteral("department"))) {
        if (dropTable(db, table))
            ensureTable(db, table);
        return;
    }
    addColumn(db, table, QStringLiteral("leaderid VARCHAR(100)"));
    addColumn(db, table, QStringLiteral("leadername VARCHAR(100)"));
    addColumn(db, table, QStringLiteral("worklocation VARCHAR(100)"));
}

void DatabaseSchema::migrateMessageList(const QSqlDatabase &db)
{
    const QString table = QStringLiteral("msglist");
    if (!columnHasEr02(db, table, QStringLiteral("jid")))
        return;
    deleteRewriteCollisions(db, table);
    rewriteColumn(db, table, QStringLiteral("jid"));
    deleteRewriteCollisions(db, table, QStringLiteral("rer01"), QStringLiteral("er01"));
    rewriteColumn(db, table, QStringLiteral("jid"), QStringLiteral("rer01"), QStringLiteral("er01"));
}

void DatabaseSchema::migrateRequestTable(const QSqlDatabase &db)
{
    const QString table = QStringLiteral("requesttable");
    if (!columnHasEr02(db, table, QStringLiteral("jid")))
        return;
    for (const char *column : {"jid", "unique_jid", "sender", "receiver"})
        rewriteColumn(db, table, QString::fromLatin1(column));
}

void DatabaseSchema::migrateRoomRecord(const QSqlDatabase &db)
{
    const QString table = QStringLiteral("mucrecord");
    if (columnHasEr02(db, table, QStringLiteral("jid"))) {
        for (const char *column : {"jid", "roomJid", "ownerJid"})
            rewriteColumn(db, table, QString::fromLatin1(column));
    }
    for (const char *definition :
         {"managerJid VARCHAR(100)", "memberCount VARCHAR(100)", "createTime VARCHAR(100)", "version VARCHAR(100)",
          "topsigntype INT", "topsigndate VARCHAR(100)", "classify VARCHAR(20)", "noticesubject VARCHAR(100)",
          "noticecontent VARCHAR(1000)", "localExist VARCHAR(1)"})
        addColumn(db, table, QString::fromLatin1(definition));
}

void DatabaseSchema::migrateCallHistory(const QSqlDatabase &db)
{
    addColumn(db, QStringLiteral("callhistoryrecord"), QStringLiteral("jid VARCHAR(100)"));
}
