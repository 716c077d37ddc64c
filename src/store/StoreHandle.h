#pragma once

#include "StoreExport.h"

#include <QSqlDatabase>

// The one database handle of the process that every row operation runs on. While it has
// never been opened, queries fall back to Qt's default connection, which the log-in
// party may have opened itself.
class LUMIO_STORE_EXPORT StoreHandle
{
public:
    static QSqlDatabase database();
    static void replace(const QSqlDatabase &db);
    static void reset();
};
