#pragma once

#include "TestEnvironment.h"
#include "store/CLocalDataBase.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QDate>
#include <QDir>
#include <QStringList>
#include <QVariant>
#include <QtTest>

// A private message-file root for one test and a second, raw connection that plays the
// part of other programs writing data.db with their own SQL.
class StoreFixture
{
public:
    StoreFixture()
        : m_root(m_env.home() + QStringLiteral("/msgfiles"))
    {
    }
    ~StoreFixture()
    {
        closeRaw();
        CLocalDataBase::Close();
    }

    QString root() const { return m_root; }
    QString home() const { return m_env.home(); }
    QString databasePath(const QString &account = QStringLiteral("alice")) const
    {
        return m_root + QLatin1Char('/') + account + QStringLiteral("/data.db");
    }
    bool open(const QString &account = QStringLiteral("alice"), bool fullSchema = true)
    {
        return CLocalDataBase::Open(account, m_root, fullSchema);
    }

    // Raw SQL on the account's file, outside the store.
    QSqlDatabase raw(const QString &account = QStringLiteral("alice"))
    {
        if (!QSqlDatabase::contains(kRaw)) {
            QDir().mkpath(m_root + QLatin1Char('/') + account);
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kRaw);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
            db.setDatabaseName(databasePath(account));
            db.open();
        }
        return QSqlDatabase::database(kRaw);
    }
    void closeRaw()
    {
        if (QSqlDatabase::contains(kRaw)) {
            {
                QSqlDatabase db = QSqlDatabase::database(kRaw, false);
                db.close();
            }
            QSqlDatabase::removeDatabase(kRaw);
        }
    }
    bool exec(const QString &sql, const QVariantList &values = {})
    {
        QSqlQuery query(raw());
        if (!query.prepare(sql)) {
            qWarning() << "prepare" << sql << query.lastError().text();
            return false;
        }
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values.at(i));
        if (!query.exec()) {
            qWarning() << "exec" << sql << query.lastError().text();
            return false;
        }
        return true;
    }
    // Every row of a query, columns joined by "|" (NULL as "<null>").
    QStringList rows(const QString &sql, const QVariantList &values = {})
    {
        return rowsOf(raw(), sql, values);
    }

    // The same on another file (the side index, a copy), through a connection of its own
    // that is closed again at once.
    static QStringList rowsIn(const QString &file, const QString &sql)
    {
        const QString name = QStringLiteral("store_test_other");
        QStringList result{QStringLiteral("<error>")};
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(file);
            if (db.open())
                result = rowsOf(db, sql, {});
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        return result;
    }
    QString value(const QString &sql, const QVariantList &values = {})
    {
        const QStringList all = rows(sql, values);
        return all.isEmpty() ? QString() : all.first().section(QLatin1Char('|'), 0, 0);
    }
    QStringList tables()
    {
        return rows(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
    }
    QString createText(const QString &name)
    {
        return value(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = ?"), {name});
    }

private:
    static QStringList rowsOf(const QSqlDatabase &db, const QString &sql, const QVariantList &values)
    {
        QStringList result;
        QSqlQuery query(db);
        query.prepare(sql);
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values.at(i));
        if (!query.exec()) {
            qWarning() << "rows" << sql << query.lastError().text();
            return {QStringLiteral("<error>")};
        }
        while (query.next()) {
            QStringList columns;
            for (int c = 0; c < query.record().count(); ++c)
                columns << (query.value(c).isNull() ? QStringLiteral("<null>") : query.value(c).toString());
            result << columns.join(QLatin1Char('|'));
        }
        return result;
    }

    inline static const QString kRaw = QStringLiteral("store_test_raw");
    TestEnvironment m_env;
    QString m_root;
};

inline QStringList idsOf(const QList<DBMessageSave> &messages)
{
    QStringList ids;
    for (const DBMessageSave &m : messages)
        ids << m.id;
    return ids;
}

// A local time that many days back, as msgrecord.time holds it.
inline QString daysAgo(int days, const QString &clock)
{
    return QDate::currentDate().addDays(-days).toString("yyyy-MM-dd") + " " + clock;
}
