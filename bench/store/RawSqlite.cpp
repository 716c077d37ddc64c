#include "RawSqlite.h"

#include "store/DBMessageSave.h"

#include <QDateTime>
#include <QFile>
#include <QVector>

#include <sqlite3.h>

namespace {

void bindText(sqlite3_stmt *statement, int position, const QString &text)
{
    // UTF-16 straight from the QString, as Qt's driver binds it: the same input, the same
    // conversion inside SQLite.
    sqlite3_bind_text16(statement, position, text.utf16(), int(text.size() * sizeof(char16_t)), SQLITE_STATIC);
}

} // namespace

RawSqlite::RawSqlite(const QString &path)
{
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(m_db);
        m_db = nullptr;
        return;
    }
    // As the store opens data.db.
    exec("PRAGMA synchronous = OFF");
}

RawSqlite::~RawSqlite()
{
    sqlite3_close(m_db);
}

QString RawSqlite::error() const
{
    return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("not open");
}

bool RawSqlite::exec(const char *sql)
{
    return m_db && sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

sqlite3_stmt *RawSqlite::prepare(const char *sql)
{
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr) != SQLITE_OK)
        return nullptr;
    return statement;
}

bool RawSqlite::insertMessages(const QList<DBMessageSave> &messages)
{
    sqlite3_stmt *insert = prepare(
        "INSERT INTO msgrecord (id, jid, unique_jid, sender, time, font, content, true_content, message_flag, "
        "title_color, message_type, extension1, extension2, extension3, videoRotate, messageid, receivetime, readed, "
        "senderJid, ztime, msgStatus) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    if (!insert || !exec("BEGIN")) {
        sqlite3_finalize(insert);
        return false;
    }
    const QString empty(QLatin1String(""));
    bool ok = true;
    for (const DBMessageSave &m : messages) {
        bindText(insert, 1, m.id);
        bindText(insert, 2, m.jid);
        bindText(insert, 3, m.unique_jid);
        bindText(insert, 4, m.sender);
        bindText(insert, 5, m.time);
        bindText(insert, 6, m.font);
        bindText(insert, 7, m.content);
        bindText(insert, 8, m.true_content);
        bindText(insert, 9, m.message_flag);
        bindText(insert, 10, m.title_color);
        sqlite3_bind_int(insert, 11, m.message_type);
        bindText(insert, 12, empty);
        bindText(insert, 13, empty);
        bindText(insert, 14, empty);
        bindText(insert, 15, m.attr6);
        bindText(insert, 16, m.messageid);
        bindText(insert, 17, m.receivetime);
        sqlite3_bind_int(insert, 18, m.readed);
        bindText(insert, 19, m.senderJid);
        bindText(insert, 20, m.ztime);
        bindText(insert, 21, m.msgStatus);
        if (sqlite3_step(insert) != SQLITE_DONE)
            ok = false;
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    return exec("COMMIT") && ok;
}

int RawSqlite::loadConversation(const QString &uniqueJid)
{
    sqlite3_stmt *select = prepare(
        "SELECT id, jid, unique_jid, sender, time, font, content, true_content, message_flag, title_color, "
        "message_type, extension1, extension2, extension3, videoRotate, messageid, receivetime, readed, senderJid, "
        "ztime, msgStatus FROM msgrecord WHERE unique_jid = ? order by time asc");
    if (!select)
        return -1;
    bindText(select, 1, uniqueJid);
    int rows = 0;
    QVector<QString> row(21);
    while (sqlite3_step(select) == SQLITE_ROW) {
        for (int c = 0; c < 21; ++c) {
            const auto *text = static_cast<const char16_t *>(sqlite3_column_text16(select, c));
            row[c] = QString::fromUtf16(text, sqlite3_column_bytes16(select, c) / int(sizeof(char16_t)));
        }
        ++rows;
    }
    sqlite3_finalize(select);
    return rows;
}

bool RawSqlite::markRead(const QString &uniqueJid, const QStringList &messageIds)
{
    sqlite3_stmt *update =
        prepare("UPDATE msgrecord SET readed = ?,receivetime = ? WHERE unique_jid = ? AND messageid = ?");
    if (!update || !exec("BEGIN")) {
        sqlite3_finalize(update);
        return false;
    }
    bool ok = true;
    for (const QString &id : messageIds) {
        const QString now = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
        sqlite3_bind_int(update, 1, 1);
        bindText(update, 2, now);
        bindText(update, 3, uniqueJid);
        bindText(update, 4, id);
        if (sqlite3_step(update) != SQLITE_DONE)
            ok = false;
        sqlite3_reset(update);
    }
    sqlite3_finalize(update);
    return exec("COMMIT") && ok;
}
