#pragma once

#include "DBMessageSave.h"
#include "MessageRow.h"

#include <QSqlQuery>

// Turns messages into msgrecord rows and back. extension1..3 and videoRotate carry
// different attr fields depending on message_type.
class MessageMapping
{
public:
    static MessageRow toRow(const DBMessageSave &message);
    // Reads a row selected with SchemaText::messageColumns().
    static DBMessageSave fromQuery(const QSqlQuery &query);
    static void bindRow(QSqlQuery &query, const MessageRow &row);
    // The same 21 values as bindRow(toRow(message)), without the row in between.
    static void bindMessage(QSqlQuery &query, const DBMessageSave &message);
};
