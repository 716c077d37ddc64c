#include "IndexUpkeep.h"

#include "SearchIndex.h"
#include "SearchIndexFile.h"
#include "StoreSql.h"
#include "StoreLog.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {
const QString kSavepoint = QStringLiteral("lumio_index_upkeep");
}

IndexUpkeep::IndexUpkeep(const QSqlDatabase &db, Kind kind, const QString &condition, const QVariantList &values)
    : m_db(db)
    , m_kind(kind)
{
    SearchIndex *index = SearchIndex::instance();
    if (!index->servesConnection(db) || !beginScope())
        return;
    // Trusted: the index mirrors msgrecord right now, so its figures can follow this write
    // exactly. After somebody else's write readyFor() starts a verifying pass instead.
    m_trusted = index->state() == SearchIndex::State::Current
        && index->readyFor(db);
    if (!index->servesConnection(db)) {
        rollbackScope();
        return;
    }
    // Quiet: nobody else wrote since the index last looked, so after this write its change
    // marks can move on without hiding anything (a running pass stays clean).
    m_quiet = m_trusted || index->unchangedSinceSnapshot();
    m_index = index;
    SearchIndexFile file(db);
    switch (kind) {
    case Kind::Insert:
        if (!file.maxRowid(&m_maxBefore))
            lost(QStringLiteral("highest rowid: ") + StoreSql::describe(file.lastError()));
        break;
    case Kind::Delete:
        if (!file.removeEntriesOf(condition, values))
            lost(QStringLiteral("entries of deleted rows: ") + StoreSql::describe(file.lastError()));
        break;
    case Kind::Neutral:
        break;
    }
}

IndexUpkeep::~IndexUpkeep()
{
    if (!m_finished)
        finish(false);
}

bool IndexUpkeep::beginScope()
{
    QSqlQuery query(m_db);
    // IMMEDIATE: the write lock now, so that the write cannot meet a reader's lock halfway
    // (a deferred transaction would fail with "busy" where the plain write would wait).
    if (query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        m_scope = Scope::Transaction;
        return true;
    }
    const int code = StoreSql::resultCode(query.lastError());
    if (code == StoreSql::Busy || code == StoreSql::Locked) {
        // The write itself will meet the same lock; the index learns of it as a change.
        return false;
    }
    // Already inside a transaction (a batch's, or a plug-in's on the shared connection).
    if (query.exec(QStringLiteral("SAVEPOINT ") + kSavepoint)) {
        m_scope = Scope::Savepoint;
        return true;
    }
    return false;
}

bool IndexUpkeep::commitScope()
{
    QSqlQuery query(m_db);
    const Scope scope = m_scope;
    m_scope = Scope::None;
    if (scope == Scope::Transaction) {
        if (query.exec(QStringLiteral("COMMIT")))
            return true;
        STORE_LOG_ERROR(QStringLiteral("write not committed: %1").arg(StoreSql::describe(query.lastError())));
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    if (scope == Scope::Savepoint && !query.exec(QStringLiteral("RELEASE ") + kSavepoint)) {
        STORE_LOG_ERROR(QStringLiteral("write not released: %1").arg(StoreSql::describe(query.lastError())));
        query.exec(QStringLiteral("ROLLBACK TO ") + kSavepoint);
        query.exec(QStringLiteral("RELEASE ") + kSavepoint);
        return false;
    }
    return true;
}

void IndexUpkeep::rollbackScope()
{
    QSqlQuery query(m_db);
    if (m_scope == Scope::Transaction) {
        query.exec(QStringLiteral("ROLLBACK"));
    } else if (m_scope == Scope::Savepoint) {
        query.exec(QStringLiteral("ROLLBACK TO ") + kSavepoint);
        query.exec(QStringLiteral("RELEASE ") + kSavepoint);
    }
    m_scope = Scope::None;
}

void IndexUpkeep::lost(const QString &why)
{
    STORE_LOG_WARN(QStringLiteral("search index not kept in step (%1): reconciling").arg(why));
    if (m_index && m_index->servesConnection(m_db))
        m_index->startPass(0);
    m_index = nullptr;
    m_trusted = false;
}

bool IndexUpkeep::finish(bool written, qint64 rowsAffected)
{
    if (m_finished)
        return true;
    m_finished = true;
    if (m_scope == Scope::None)
        return true;
    if (!written) {
        // Nothing of the write to keep; a Delete's entries come back.
        rollbackScope();
        return true;
    }
    const bool kept = upkeep(written, rowsAffected);
    SearchIndex::Snapshot marks;
    const bool marked = kept && m_quiet && m_index->takeSnapshot(&marks);
    if (!commitScope())
        return false;
    if (marked && m_index->servesConnection(m_db))
        m_index->m_snapshot = marks;
    return true;
}

// The index's part of the write, inside the scope: entries, and the figures when the index
// was current and nobody else had written. True when the index was kept in step.
bool IndexUpkeep::upkeep(bool written, qint64 rowsAffected)
{
    if (!written || !m_index || !m_index->servesConnection(m_db))
        return false;
    SearchIndexFile file(m_db);
    SearchIndexFile::Meta next = m_index->m_meta;
    const bool trusted = m_trusted && m_index->state() == SearchIndex::State::Current;
    qint64 top = 0;
    switch (m_kind) {
    case Kind::Insert: {
        StoreSql::Savepoint entries(m_db, QStringLiteral("lumio_index_entries"));
        qint64 added = 0;
        if (!entries.isActive() || !file.reconcile(m_maxBefore, SearchIndexFile::End)
            || (trusted && (!file.rowsAfter(m_maxBefore, &added) || !file.maxRowid(&top))) || !entries.release()) {
            entries.rollback();
            lost(QStringLiteral("new rows: ") + StoreSql::describe(file.lastError()));
            return false;
        }
        next.figures.rows += added;
        break;
    }
    case Kind::Delete:
        // The entries went in the constructor.
        if (trusted && !file.maxRowid(&top)) {
            lost(QStringLiteral("figures after a delete: ") + StoreSql::describe(file.lastError()));
            return false;
        }
        next.figures.rows = qMax<qint64>(0, next.figures.rows - rowsAffected);
        break;
    case Kind::Neutral:
        return true;
    }
    if (!trusted)
        return true;
    next.figures.maxRowid = top;
    next.cursor = top;
    if (!file.writeMeta(next)) {
        lost(QStringLiteral("meta: ") + StoreSql::describe(file.lastError()));
        return false;
    }
    m_index->m_meta = next;
    return true;
}
