#pragma once

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

const QList<Table> &tables();
QString columnsOf(const QString &table);
QString createTable(const QString &table);
// "CREATE INDEX <table>_index<n> on <table>(<column>)"
QString createIndex(const QString &table, int number, const QString &column);
QString indexName(const QString &table, int number);

// Columns of msgrecord in table order, for reads that must not depend on SELECT *.
QString messageColumns();

} // namespace SchemaText
