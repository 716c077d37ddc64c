#pragma once

#include <QSqlDatabase>
#include <QString>

// Decides whether an account's data.db is damaged, before the repair program is offered.
// A file that cannot be checked (absent, unopenable, busy) counts as healthy.
class DatabaseCheck
{
public:
    // The quick check tries a write into msgrecord and undoes it; the full one runs
    // SQLite's integrity check.
    static bool check(const QString &account, const QString &basePath, bool fullCheck);

private:
    static bool integrityOk(const QSqlDatabase &db);
    static bool quickCheck(QSqlDatabase db);
};
