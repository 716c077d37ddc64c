#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <initializer_list>

// Statement helpers shared by the store: bound execution with a log line on failure,
// SQLite result codes, and the text forms every bound value takes.
namespace StoreSql {

// Primary SQLite result codes (the low byte of an extended code).
enum ResultCode {
    Ok = 0,
    GenericError = 1,
    Busy = 5,
    Locked = 6,
    IoError = 10,
    Corrupt = 11,
    Full = 13,
    CantOpen = 14,
    Constraint = 19,
    NotADatabase = 26
};

int resultCode(const QSqlError &error);
int resultCode(const QSqlQuery &query);

// Qt 6 binds a null QString as SQL NULL; the store's rows hold '' there.
QString bindable(const QString &text);
// "%keyword%" with "!", "%" and "_" escaped by "!" (use with ESCAPE '!').
QString containsPattern(const QString &text);

// Prepares sql, binds values in order and executes; false plus a log line on failure.
bool run(QSqlQuery &query, const QString &sql, std::initializer_list<QVariant> values = {});
// Executes a prepared query again with new values.
bool rerun(QSqlQuery &query, std::initializer_list<QVariant> values);

// The first column of the first row, or an invalid value.
QVariant firstValue(const QSqlDatabase &db, const QString &sql, std::initializer_list<QVariant> values = {});
bool hasRow(const QSqlDatabase &db, const QString &sql, std::initializer_list<QVariant> values = {});

QString describe(const QSqlError &error);

// A named SAVEPOINT: nests inside a caller's transaction and starts one when there is
// none. Rolled back (and released) unless release() succeeded.
class Savepoint
{
public:
    Savepoint(const QSqlDatabase &db, const QString &name);
    ~Savepoint();
    Savepoint(const Savepoint &) = delete;
    Savepoint &operator=(const Savepoint &) = delete;

    bool isActive() const { return m_active; }
    bool release();
    void rollback();

private:
    QSqlDatabase m_db;
    QString m_name;
    bool m_active = false;
};

} // namespace StoreSql
