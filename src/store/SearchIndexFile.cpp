#include "SearchIndexFile.h"

#include "StoreSql.h"
#include "StoreLog.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

namespace {

const QString kSchema = QStringLiteral("lumio_search");

// The same condition on both tables of a range: a row is mirrored when its entry has its
// rowid, its id and its text. IS, not =: ids and texts may be NULL.
const QString kMirrored = QStringLiteral(
    "EXISTS (SELECT 1 FROM main.msgrecord m WHERE m.rowid = e.docid AND m.id IS e.id"
    " AND m.true_content IS e.body)");
const QString kHasEntry = QStringLiteral("EXISTS (SELECT 1 FROM lumio_search.entry e WHERE e.docid = m.rowid)");

QVariant bindableValue(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString)
        return StoreSql::bindable(value.toString());
    return value;
}

} // namespace

QString SearchIndexFile::schema()
{
    return kSchema;
}

QString SearchIndexFile::pathFor(const QString &databaseFile)
{
    const QFileInfo file(databaseFile);
    return file.absolutePath() + QLatin1Char('/') + file.completeBaseName() + QStringLiteral(".search");
}

SearchIndexFile::SearchIndexFile(const QSqlDatabase &db)
    : m_db(db)
{
}

int SearchIndexFile::lastResultCode() const
{
    return StoreSql::resultCode(m_error);
}

bool SearchIndexFile::exec(const QString &sql, const QVariantList &values)
{
    QSqlQuery query(m_db);
    bool ok = query.prepare(sql);
    for (int i = 0; ok && i < values.size(); ++i)
        query.bindValue(i, bindableValue(values.at(i)));
    ok = ok && query.exec();
    m_error = ok ? QSqlError() : query.lastError();
    return ok;
}

// The first row's first count columns as integers (NULL as 0); found tells whether a row came.
bool SearchIndexFile::integers(const QString &sql, const QVariantList &values, int count, qint64 *out, bool *found)
{
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    bool ok = query.prepare(sql);
    for (int i = 0; ok && i < values.size(); ++i)
        query.bindValue(i, bindableValue(values.at(i)));
    ok = ok && query.exec();
    if (!ok) {
        m_error = query.lastError();
        return false;
    }
    const bool row = query.next();
    if (!row && query.lastError().isValid()) {
        m_error = query.lastError();
        return false;
    }
    m_error = QSqlError();
    for (int i = 0; i < count; ++i)
        out[i] = row ? query.value(i).toLongLong() : 0;
    if (found)
        *found = row;
    return true;
}

bool SearchIndexFile::attach(const QString &path)
{
    return exec(QStringLiteral("ATTACH DATABASE ? AS ") + kSchema, {path});
}

bool SearchIndexFile::tune()
{
    // Rebuildable from data.db: no syncs for it (data.db runs without them as well).
    return exec(QStringLiteral("PRAGMA ") + kSchema + QStringLiteral(".synchronous = OFF"));
}

bool SearchIndexFile::detach()
{
    return exec(QStringLiteral("DETACH DATABASE ") + kSchema);
}

bool SearchIndexFile::isAttached()
{
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("PRAGMA database_list"))) {
        m_error = query.lastError();
        return false;
    }
    while (query.next()) {
        if (query.value(1).toString() == kSchema)
            return true;
    }
    return false;
}

bool SearchIndexFile::contents(Contents *contents)
{
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("SELECT name FROM lumio_search.sqlite_master"))) {
        m_error = query.lastError();
        return false;
    }
    QStringList names;
    while (query.next())
        names << query.value(0).toString();
    if (query.lastError().isValid()) {
        m_error = query.lastError();
        return false;
    }
    m_error = QSqlError();
    if (names.isEmpty())
        *contents = Contents::Empty;
    else if (names.contains(QLatin1String("entry")) && names.contains(QLatin1String("fts"))
             && names.contains(QLatin1String("meta")))
        *contents = Contents::Index;
    else
        *contents = Contents::Other;
    return true;
}

bool SearchIndexFile::create()
{
    StoreSql::Savepoint savepoint(m_db, QStringLiteral("lumio_index_create"));
    const bool ok = savepoint.isActive()
        && exec(QStringLiteral("CREATE TABLE lumio_search.entry (docid INTEGER PRIMARY KEY, id, body)"))
        && exec(QStringLiteral("CREATE VIRTUAL TABLE lumio_search.fts USING fts5(body, content='entry', "
                               "content_rowid='docid', tokenize='trigram', columnsize=0)"))
        && exec(QStringLiteral("CREATE TABLE lumio_search.meta (k INTEGER PRIMARY KEY CHECK (k = 1), format INTEGER, "
                               "complete INTEGER, cursor INTEGER, rows INTEGER, max_rowid INTEGER, top_id, stamp INTEGER)"))
        && exec(QStringLiteral("INSERT INTO lumio_search.meta VALUES (1, ?, 0, 0, 0, 0, NULL, 0)"), {Format});
    if (!ok)
        return false;
    return savepoint.release();
}

bool SearchIndexFile::readMeta(Meta *meta)
{
    qint64 values[6] = {};
    bool found = false;
    if (!integers(QStringLiteral("SELECT format, 0, 0, 0, 0, 0 FROM lumio_search.meta WHERE k = 1"), {}, 1, values, &found))
        return false;
    // An older layout has no stamp column; its format tells the caller to rebuild.
    if (found && values[0] == Format
        && !integers(QStringLiteral("SELECT format, complete, cursor, rows, max_rowid, stamp FROM lumio_search.meta "
                                    "WHERE k = 1"),
                     {}, 6, values, &found))
        return false;
    *meta = Meta();
    if (!found)
        return true;
    meta->format = int(values[0]);
    meta->complete = values[1] != 0;
    meta->cursor = values[2];
    meta->figures.rows = values[3];
    meta->figures.maxRowid = values[4];
    meta->stamp = values[5];
    return true;
}

bool SearchIndexFile::writeMeta(const Meta &meta)
{
    return exec(QStringLiteral("UPDATE lumio_search.meta SET format = ?, complete = ?, cursor = ?, rows = ?, "
                               "max_rowid = ?, top_id = (SELECT id FROM main.msgrecord WHERE rowid = ?) WHERE k = 1"),
                {meta.format, meta.complete ? 1 : 0, meta.cursor, meta.figures.rows, meta.figures.maxRowid,
                 meta.figures.maxRowid});
}

bool SearchIndexFile::writeCursor(qint64 cursor)
{
    return exec(QStringLiteral("UPDATE lumio_search.meta SET complete = 0, cursor = ? WHERE k = 1"), {cursor});
}

bool SearchIndexFile::writeStamp(qint64 stamp)
{
    return exec(QStringLiteral("UPDATE lumio_search.meta SET stamp = ? WHERE k = 1"), {stamp});
}

bool SearchIndexFile::changeCounter(const QString &path, qint64 *counter)
{
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("PRAGMA main.journal_mode")) || !query.next()) {
        m_error = query.lastError();
        return false;
    }
    if (query.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(24))
        return false;
    const QByteArray bytes = file.read(4);
    if (bytes.size() != 4)
        return false;
    *counter = (qint64(quint8(bytes[0])) << 24) | (qint64(quint8(bytes[1])) << 16) | (qint64(quint8(bytes[2])) << 8)
        | qint64(quint8(bytes[3]));
    return true;
}

bool SearchIndexFile::messageFigures(Figures *figures)
{
    qint64 values[2] = {};
    if (!integers(QStringLiteral("SELECT count(*), max(rowid) FROM main.msgrecord"), {}, 2, values))
        return false;
    figures->rows = values[0];
    figures->maxRowid = values[1];
    return true;
}

bool SearchIndexFile::maxRowid(qint64 *rowid)
{
    return integers(QStringLiteral("SELECT max(rowid) FROM main.msgrecord"), {}, 1, rowid);
}

bool SearchIndexFile::rowsAfter(qint64 rowid, qint64 *count)
{
    return integers(QStringLiteral("SELECT count(*) FROM main.msgrecord WHERE rowid > ?"), {rowid}, 1, count);
}

bool SearchIndexFile::nextBound(qint64 cursor, int batch, qint64 *bound)
{
    const QVariantList values{cursor, qMax(batch, 1) - 1};
    qint64 row = 0;
    qint64 entry = 0;
    bool rowFound = false;
    bool entryFound = false;
    if (!integers(QStringLiteral("SELECT rowid FROM main.msgrecord WHERE rowid > ? ORDER BY rowid LIMIT 1 OFFSET ?"),
                  values, 1, &row, &rowFound)
        || !integers(QStringLiteral("SELECT docid FROM lumio_search.entry WHERE docid > ? ORDER BY docid "
                                    "LIMIT 1 OFFSET ?"),
                     values, 1, &entry, &entryFound))
        return false;
    if (rowFound && entryFound)
        *bound = qMin(row, entry);
    else if (rowFound)
        *bound = row;
    else if (entryFound)
        *bound = entry;
    else
        *bound = End;
    return true;
}

bool SearchIndexFile::reconcile(qint64 lo, qint64 hi)
{
    // All or nothing: an index that forgot rows entry still lists would be told to forget
    // them again later, which damages it.
    // A verifying pass mostly finds every row mirrored: one read, and writes only where a
    // range differs.
    qint64 differs = 0;
    if (!integers(QStringLiteral("SELECT EXISTS (SELECT 1 FROM lumio_search.entry e WHERE e.docid > ? AND e.docid <= ? "
                                 "AND NOT ")
                      + kMirrored
                      + QStringLiteral(") OR EXISTS (SELECT 1 FROM main.msgrecord m WHERE m.rowid > ? AND m.rowid <= ? "
                                       "AND NOT ")
                      + kHasEntry + QLatin1Char(')'),
                  {lo, hi, lo, hi}, 1, &differs))
        return false;
    if (!differs)
        return true;
    StoreSql::Savepoint savepoint(m_db, QStringLiteral("lumio_index_reconcile"));
    if (!savepoint.isActive() || !reconcileStatements(lo, hi))
        return false;
    return savepoint.release();
}

bool SearchIndexFile::reconcileStatements(qint64 lo, qint64 hi)
{
    const QVariantList range{lo, hi};
    // Stale entries first (gone, moved, or with another id or text), from the index and then
    // from entry, whose body is what the index must be told to forget.
    return exec(QStringLiteral("INSERT INTO lumio_search.fts (fts, rowid, body) SELECT 'delete', e.docid, e.body "
                               "FROM lumio_search.entry e WHERE e.docid > ? AND e.docid <= ? AND NOT ")
                    + kMirrored,
                range)
        && exec(QStringLiteral("DELETE FROM lumio_search.entry AS e WHERE e.docid > ? AND e.docid <= ? AND NOT ")
                    + kMirrored,
                range)
        // Then every row without an entry: the index from the row, then the entry, so both
        // hold the same value.
        && exec(QStringLiteral("INSERT INTO lumio_search.fts (rowid, body) SELECT m.rowid, m.true_content "
                               "FROM main.msgrecord m WHERE m.rowid > ? AND m.rowid <= ? AND NOT ")
                    + kHasEntry,
                range)
        && exec(QStringLiteral("INSERT INTO lumio_search.entry (docid, id, body) SELECT m.rowid, m.id, m.true_content "
                               "FROM main.msgrecord m WHERE m.rowid > ? AND m.rowid <= ? AND NOT ")
                    + kHasEntry,
                range);
}

bool SearchIndexFile::removeEntriesOf(const QString &condition, const QVariantList &values)
{
    const QString rows = QStringLiteral("(SELECT rowid FROM main.msgrecord WHERE ") + condition + QLatin1Char(')');
    StoreSql::Savepoint savepoint(m_db, QStringLiteral("lumio_index_remove"));
    return savepoint.isActive() && exec(QStringLiteral("INSERT INTO lumio_search.fts (fts, rowid, body) SELECT 'delete', e.docid, e.body "
                               "FROM lumio_search.entry e WHERE e.docid IN ")
                    + rows,
                values)
        && exec(QStringLiteral("DELETE FROM lumio_search.entry WHERE docid IN ") + rows, values)
        && savepoint.release();
}
