#pragma once

#include <QString>
#include <QStringList>

struct sqlite3;
struct sqlite3_stmt;
struct DBMessageSave;

// The baseline: the SQLite C API with bound statements, as a program would use it
// without Qt's SQL layer or the store in between.
class RawSqlite
{
public:
    explicit RawSqlite(const QString &path);
    ~RawSqlite();
    RawSqlite(const RawSqlite &) = delete;
    RawSqlite &operator=(const RawSqlite &) = delete;

    bool isOpen() const { return m_db != nullptr; }
    QString error() const;
    bool exec(const char *sql);

    // All rows in one transaction through one prepared INSERT, the same 21 columns and
    // values the store binds for these (type 0) messages.
    bool insertMessages(const QList<DBMessageSave> &messages);
    // Every column of every row of one conversation, read into texts; the row count.
    int loadConversation(const QString &uniqueJid);
    // One transaction, one prepared UPDATE per message id.
    bool markRead(const QString &uniqueJid, const QStringList &messageIds);

private:
    sqlite3_stmt *prepare(const char *sql);

    sqlite3 *m_db = nullptr;
};
