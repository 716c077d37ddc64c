#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

class SearchIndex;

// Keeps the search index in step with one of the shell's own writes to msgrecord, on the
// connection the index is attached to (on any other connection it does nothing: the index
// then sees the write as somebody else's change).
//
// Construct it right before the write and finish() it right after; in between it holds a
// write transaction (BEGIN IMMEDIATE, or a savepoint inside a transaction already open),
// so that no other connection commits between the write and the index's bookkeeping.
// - Insert: notes the highest rowid; finish() gives the new rows their entries.
// - Delete: drops the entries of the rows the DELETE's condition selects; finish() keeps
//   that, or undoes it when the DELETE failed.
// - Neutral: writes that change no id and no true_content (status, time, read marks);
//   finish() tells the index they were the shell's own.
// When upkeep fails the index falls back to a reconciling pass; the write stands.
class IndexUpkeep
{
public:
    enum class Kind { Insert, Delete, Neutral };

    IndexUpkeep(const QSqlDatabase &db, Kind kind, const QString &condition = {}, const QVariantList &values = {});
    ~IndexUpkeep();
    IndexUpkeep(const IndexUpkeep &) = delete;
    IndexUpkeep &operator=(const IndexUpkeep &) = delete;

    // written: the write took effect; rowsAffected: rows a DELETE removed. False only when
    // the transaction it opened could not be committed, which undoes the write as well.
    bool finish(bool written, qint64 rowsAffected = 0);

private:
    enum class Scope { None, Transaction, Savepoint };
    bool beginScope();
    bool commitScope();
    void rollbackScope();
    void lost(const QString &why);
    bool upkeep(bool written, qint64 rowsAffected);

    QSqlDatabase m_db;
    Kind m_kind;
    SearchIndex *m_index = nullptr;
    Scope m_scope = Scope::None;
    bool m_trusted = false;
    bool m_quiet = false;
    bool m_finished = false;
    qint64 m_maxBefore = 0;
};
