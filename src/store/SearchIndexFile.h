#pragma once

#include "StoreExport.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QVariantList>

#include <limits>

// The keyword index's side database, attached to the store's connection under the schema
// name "lumio_search". data.db itself never holds an index object: plug-ins and other
// programs write it with their own SQL, and a plain SQLite must keep opening it.
//
// Layout (all in the side file):
//   entry(docid INTEGER PRIMARY KEY, id, body)   one row per indexed msgrecord row: docid is
//                                                that row's rowid, id its msgrecord.id, body
//                                                its true_content exactly as it was indexed
//   fts   FTS5 trigram over entry.body (external content, rowid = docid; no column sizes:
//         nothing ranks)
//   meta  one row: format, complete, cursor, the msgrecord figures (row count, highest
//         rowid, id of that row) the index was last known to mirror, and stamp: data.db's
//         change counter when the index last let go of it knowing it mirrored every row
//         (0: not known). Nothing but a matching stamp lets a reopened index answer
//         without verifying every row: a row deleted and stored again under its rowid, or
//         a text updated in place, changes none of the figures.
//
// An entry only nominates its rowid as a candidate: searches read the row from msgrecord and
// apply the full condition to it, so an entry that went stale costs a lookup, never a wrong
// result. What must hold for exact results is the other direction: every msgrecord row has
// an entry at its rowid with its current id and true_content. reconcile() restores that for
// a rowid range.
class LUMIO_STORE_EXPORT SearchIndexFile
{
public:
    // Bound for "up to the end" in reconcile() and nextBound().
    static constexpr qint64 End = std::numeric_limits<qint64>::max();
    static constexpr int Format = 2;

    static QString schema();
    // data.db -> data.search in the same folder (not a name of SQLite's own companions).
    static QString pathFor(const QString &databaseFile);

    struct Figures
    {
        qint64 rows = 0;
        qint64 maxRowid = 0;
    };
    struct Meta
    {
        int format = 0;
        bool complete = false;
        qint64 cursor = 0;
        Figures figures;
        qint64 stamp = 0;
    };
    enum class Contents { Index, Empty, Other };

    explicit SearchIndexFile(const QSqlDatabase &db);

    bool attach(const QString &path);
    // Settings of the attached file; reads its header, so it fails on a damaged one.
    bool tune();
    bool detach();
    bool isAttached();

    bool contents(Contents *contents);
    bool create();
    bool readMeta(Meta *meta);
    // The id stored with the figures is read from msgrecord at figures.maxRowid.
    bool writeMeta(const Meta &meta);
    bool writeCursor(qint64 cursor);
    bool writeStamp(qint64 stamp);
    // The change counter in the header of the database file at path: it moves with every
    // commit to the file in rollback-journal mode. False in WAL mode, where it does not.
    bool changeCounter(const QString &path, qint64 *counter);

    // Row count and highest rowid of msgrecord.
    bool messageFigures(Figures *figures);
    bool maxRowid(qint64 *rowid);
    bool rowsAfter(qint64 rowid, qint64 *count);

    // The upper bound of the next batch after cursor: at most batch rows of msgrecord and
    // batch entries lie in (cursor, bound]; End when both run out.
    bool nextBound(qint64 cursor, int batch, qint64 *bound);
    // Makes the entries of the rowids in (lo, hi] match msgrecord exactly.
    bool reconcile(qint64 lo, qint64 hi);
    // Drops the entries of the msgrecord rows that match condition (msgrecord's columns,
    // "?" placeholders bound from values); run it before the rows are deleted.
    bool removeEntriesOf(const QString &condition, const QVariantList &values);

    QSqlError lastError() const { return m_error; }
    int lastResultCode() const;

private:
    bool reconcileStatements(qint64 lo, qint64 hi);
    bool exec(const QString &sql, const QVariantList &values = {});
    bool integers(const QString &sql, const QVariantList &values, int count, qint64 *out, bool *found = nullptr);

    QSqlDatabase m_db;
    QSqlError m_error;
};
