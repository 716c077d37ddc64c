#include "StoreHandle.h"

namespace {
// Never destroyed: it must outlive Qt's connection registry at exit.
QSqlDatabase &handle()
{
    static auto *db = new QSqlDatabase;
    return *db;
}
}

QSqlDatabase StoreHandle::database()
{
    if (handle().isValid())
        return handle();
    return QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
}

void StoreHandle::replace(const QSqlDatabase &db)
{
    handle() = db;
}

void StoreHandle::reset()
{
    handle() = QSqlDatabase();
}
