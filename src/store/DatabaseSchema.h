#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

// Creates data.db's tables and brings tables written by older versions up to date,
// in place and idempotently. Failing steps are logged and the next step runs.
class DatabaseSchema
{
public:
    static void ensureAllTables(const QSqlDatabase &db);
    static void ensureTable(const QSqlDatabase &db, const QString &table);

    static bool tableExists(const QSqlDatabase &db, const QString &table);
    // A substring test on the table's CREATE text, as older versions did it.
    static bool columnExists(const QSqlDatabase &db, const QString &table, const QString &column);
    static bool columnHasEr02(const QSqlDatabase &db, const QString &table, const QString &column);
    static bool schemaMentions(const QSqlDatabase &db, const QString &table, const QString &word);
    static bool dropTable(const QSqlDatabase &db, const QString &table);

    static bool isIdentifier(const QString &name);

private:
    static bool create(const QSqlDatabase &db, const QString &table);
    static bool execute(const QSqlDatabase &db, const QString &sql);
    static bool addColumn(const QSqlDatabase &db, const QString &table, const QString &definition);
    static bool addColumnFilled(const QSqlDatabase &db, const QString &table, const QString &definition,
                                const QString &fill, const QVariant &value = {});
    static void completeLayout(const QSqlDatabase &db, const QString &table);
    static QStringList columnDefinitions(const QString &table);
    static void addColumnMarkingRows(const QSqlDatabase &db, const QString &table, const QString &definition);
    static void rewriteColumn(const QSqlDatabase &db, const QString &table, const QString &column,
                              const QString &from = QStringLiteral("er02"),
                              const QString &to = QStringLiteral("er01"));
    static void deleteRewriteCollisions(const QSqlDatabase &db, const QString &table,
                                        const QString &from = QStringLiteral("er02"),
                                        const QString &to = QStringLiteral("er01"));
    static void ensureMessageIndexes(const QSqlDatabase &db, bool created);

    static void migrateLogin(const QSqlDatabase &db);
    static void migrateLatestFriend(const QSqlDatabase &db);
    static void migrateDeletedFriend(const QSqlDatabase &db);
    static void migrateMessageRecord(const QSqlDatabase &db);
    static void migrateFriendList(const QSqlDatabase &db);
    static void migrateMessageList(const QSqlDatabase &db);
    static void migrateRequestTable(const QSqlDatabase &db);
    static void migrateRoomRecord(const QSqlDatabase &db);
    static void migrateCallHistory(const QSqlDatabase &db);
};
