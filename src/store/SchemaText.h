#pragma once

#include "StoreExport.h"

#include <QList>
#include <QString>

// The exact CREATE texts of data.db's tables and indexes, in the order they are ensured.
// They are part of the file format: older copies and the repair program read them.
namespace SchemaText {

struct Table
{
    QString name;
    QString columns;
};

LUMIO_STORE_EXPORT const QList<Table> &tables();
LUMIO_STORE_EXPORT QString columnsOf(const QString &table);
LUMIO_STORE_EXPORT QString createTable(const QString &table);
// "CREATE INDEX <table>_index<n> on <table>(<column>)"
LUMIO_STORE_EXPORT QString createIndex(const QString &table, int number, const QString &column);
LUMIO_STORE_EXPORT QString indexName(const QString &table, int number);

// Columns of msgrecord in table order, for reads that must not depend on SELECT *.
LUMIO_STORE_EXPORT QString messageColumns();

} // namespace SchemaText
