#include "SearchIndex.h"

#include "StoreSql.h"
#include "StoreLog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDriver>
#include <QSqlQuery>

namespace {

constexpr int MaxRebuilds = 3;
constexpr int MaxFailedSteps = 5;
constexpr int RetryMs = 500;

bool isDamage(int code)
{
    return code == StoreSql::Corrupt || code == StoreSql::NotADatabase;
}

bool isContention(int code)
{
    return code == StoreSql::Busy || code == StoreSql::Locked;
}

} // namespace

// The index's own transaction for work that does not belong to a write of the caller's.
// Inside somebody else's open transaction (a plug-in's, on the shared connection) it does
// not start: rolled back with theirs, entries for committed rows would vanish while the
// index believed them written.
class SearchIndex::OwnTransaction
{
public:
    // An invalid db starts nothing.
    explicit OwnTransaction(const QSqlDatabase &db)
        : m_db(db)
    {
        if (!m_db.isValid())
            return;
        QSqlQuery query(m_db);
        m_active = query.exec(QStringLiteral("BEGIN"));
    }
    ~OwnTransaction() { rollback(); }
    bool isActive() const { return m_active; }
    bool commit()
    {
        if (!m_active)
            return false;
        QSqlQuery query(m_db);
        if (!query.exec(QStringLiteral("COMMIT")))
            return false;
        m_active = false;
        return true;
    }
    void rollback()
    {
        if (!m_active)
            return;
        m_active = false;
        QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
    }

private:
    QSqlDatabase m_db;
    bool m_active = false;
};


SearchIndex *SearchIndex::instance()
{
    // Never destroyed, like the store's handle it works on.
    static auto *index = new SearchIndex;
    return index;
}

SearchIndex::SearchIndex(QObject *parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (step())
            scheduleStep();
    });
}

SearchIndex::~SearchIndex() = default;

quintptr SearchIndex::handleOf(const QSqlDatabase &db)
{
    if (!db.isOpen() || !db.driver())
        return 0;
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return 0;
    return quintptr(*static_cast<void *const *>(handle.constData()));
}

QSqlDatabase SearchIndex::connection() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

void SearchIndex::setEnabled(bool enabled)
{
    if (!enabled)
        detach();
    m_enabled = enabled;
    m_refusedHandle = 0;
}

bool SearchIndex::servesConnection(const QSqlDatabase &db) const
{
    return m_state != State::Off && m_handle != 0 && handleOf(db) == m_handle;
}

bool SearchIndex::attach(const QSqlDatabase &db)
{
    detach();
    if (!m_enabled)
        return false;
    return open(db);
}

bool SearchIndex::open(const QSqlDatabase &db)
{
    reset();
    const quintptr handle = handleOf(db);
    const QString name = db.databaseName();
    if (handle == 0 || name.isEmpty() || name == QLatin1String(":memory:") || name.startsWith(QLatin1String("file:")))
        return false;
    if (!StoreSql::hasRow(db, QStringLiteral("SELECT 1 FROM main.sqlite_master WHERE type = 'table' AND name = 'msgrecord'"))) {
        m_refusedHandle = handle;
        return false;
    }
    m_connectionName = db.connectionName();
    m_handle = handle;
    m_path = SearchIndexFile::pathFor(name);
    m_progress = Progress();
    SearchIndexFile file(db);
    if (!file.attach(m_path)) {
        if (isDamage(file.lastResultCode())) {
            m_state = State::Building;
            if (!rebuild(QStringLiteral("not attached: ") + StoreSql::describe(file.lastError())))
                return false;
        } else {
            // Perhaps only for now (ATTACH is refused inside a transaction): the next search
            // tries again.
            STORE_LOG_WARN(QStringLiteral("search index %1 not attached, searches scan: %2")
                         .arg(m_path, StoreSql::describe(file.lastError())));
            reset();
            return false;
        }
    }
    m_state = State::Building;
    if (!prepareFile(file))
        return false;
    resumeAtAttach();
    STORE_LOG_INFO(QStringLiteral("search index %1 attached: %2")
                 .arg(m_path, m_state == State::Current ? QStringLiteral("current")
                                                        : QStringLiteral("catching up from rowid %1").arg(m_cursor)));
    return m_state != State::Off;
}

// Brings the attached file to a usable layout and reads its meta.
bool SearchIndex::prepareFile(SearchIndexFile &file)
{
    SearchIndexFile::Contents contents = SearchIndexFile::Contents::Empty;
    if (!file.contents(&contents)) {
        if (isDamage(file.lastResultCode()))
            return rebuild(QStringLiteral("unreadable: ") + StoreSql::describe(file.lastError()));
        drop(QStringLiteral("cannot be read: ") + StoreSql::describe(file.lastError()));
        return false;
    }
    if (contents == SearchIndexFile::Contents::Other)
        return rebuild(QStringLiteral("holds something else"));
    if (contents == SearchIndexFile::Contents::Empty) {
        if (!file.create()) {
            drop(QStringLiteral("cannot be created: ") + StoreSql::describe(file.lastError()));
            return false;
        }
        m_meta = SearchIndexFile::Meta();
        m_meta.format = SearchIndexFile::Format;
        if (!file.tune()) {
            drop(QStringLiteral("cannot be set up: ") + StoreSql::describe(file.lastError()));
            return false;
        }
        return true;
    }
    if (!file.readMeta(&m_meta)) {
        if (isDamage(file.lastResultCode()))
            return rebuild(QStringLiteral("unreadable: ") + StoreSql::describe(file.lastError()));
        drop(QStringLiteral("cannot be read: ") + StoreSql::describe(file.lastError()));
        return false;
    }
    if (m_meta.format != SearchIndexFile::Format)
        return rebuild(QStringLiteral("format %1, not %2").arg(m_meta.format).arg(SearchIndexFile::Format));
    if (!file.tune()) {
        drop(QStringLiteral("cannot be set up: ") + StoreSql::describe(file.lastError()));
        return false;
    }
    return true;
}

// Replaces the side file by an empty index and starts a pass over every row.
bool SearchIndex::rebuild(const QString &why)
{
    const QSqlDatabase db = connection();
    if (++m_progress.rebuilds > MaxRebuilds) {
        drop(QStringLiteral("still unusable after %1 rebuilds (%2)").arg(MaxRebuilds).arg(why));
        return false;
    }
    STORE_LOG_WARN(QStringLiteral("search index %1 %2: rebuilt, searches scan meanwhile").arg(m_path, why));
    SearchIndexFile file(db);
    if (file.isAttached() && !file.detach()) {
        drop(QStringLiteral("cannot be detached for a rebuild: ") + StoreSql::describe(file.lastError()));
        return false;
    }
    for (const QString &suffix : {QString(), QStringLiteral("-journal")}) {
        if (QFile::exists(m_path + suffix) && !QFile::remove(m_path + suffix)) {
            m_state = State::Off;
            drop(QStringLiteral("cannot be removed"));
            return false;
        }
    }
    if (!file.attach(m_path) || !file.create() || !file.tune()) {
        drop(QStringLiteral("cannot be created: ") + StoreSql::describe(file.lastError()));
        return false;
    }
    m_meta = SearchIndexFile::Meta();
    m_meta.format = SearchIndexFile::Format;
    m_state = State::Building;
    return true;
}

// Only a data.db nobody wrote since the index let go of it (its stamp) is trusted as it
// was left: current, or a clean pass to go on with. Anything else is verified row by row.
void SearchIndex::resumeAtAttach()
{
    const QSqlDatabase db = connection();
    SearchIndexFile file(db);
    qint64 counter = 0;
    const bool untouched = m_meta.stamp != 0 && file.changeCounter(db.databaseName(), &counter)
        && counter == m_meta.stamp;
    if (!untouched) {
        if (m_meta.complete || m_meta.cursor > 0)
            STORE_LOG_INFO(QStringLiteral("search index %1: data.db may have been written since it was last "
                                          "attached; every row is verified before it answers")
                               .arg(m_path));
        startPass(0);
        return;
    }
    if (!m_meta.complete) {
        startPass(m_meta.cursor);
        return;
    }
    SearchIndexFile::Figures now;
    if (!file.messageFigures(&now)) {
        stepFailed(file, QStringLiteral("figures"));
        return;
    }
    if (now.rows != m_meta.figures.rows || now.maxRowid != m_meta.figures.maxRowid) {
        startPass(0);
        return;
    }
    OwnTransaction transaction(db);
    finishCheck(file, transaction, transaction.isActive(), now);
}

// Somebody else wrote data.db (another connection or process, or SQL of a plug-in on the
// shared connection). Row count and highest rowid cannot tell what: a row deleted and
// stored again keeps its rowid, a text updated in place keeps both. So the index answers
// no search until a pass has compared every row's id and text with its entry.
void SearchIndex::verifyAfterForeignWrite()
{
    STORE_LOG_INFO(QStringLiteral("search index %1: data.db written by another party; searches scan until every "
                                  "row is verified")
                       .arg(m_path));
    startPass(0);
}

// Records that the index mirrors msgrecord at figures: the meta (when the transaction is
// the index's or the caller's own), the change marks, then the state.
bool SearchIndex::finishCheck(SearchIndexFile &file, OwnTransaction &transaction, bool own,
                              const SearchIndexFile::Figures &figures)
{
    SearchIndexFile::Meta next = m_meta;
    next.complete = true;
    next.cursor = figures.maxRowid;
    next.figures = figures;
    Snapshot marks;
    if ((own && !file.writeMeta(next)) || !takeSnapshot(&marks)
        || (transaction.isActive() && !transaction.commit())) {
        transaction.rollback();
        stepFailed(file, QStringLiteral("meta"));
        return false;
    }
    m_meta = next;
    m_cursor = figures.maxRowid;
    m_failedSteps = 0;
    m_snapshot = marks;
    const bool changed = m_state != State::Current;
    m_state = State::Current;
    m_timer.stop();
    if (changed)
        emit becameCurrent();
    return true;
}

void SearchIndex::startPass(qint64 from, bool clean)
{
    m_cursor = qMax<qint64>(from, 0);
    m_meta.complete = false;
    m_meta.cursor = m_cursor;
    m_state = State::Building;
    m_passClean = clean;
    ++m_progress.passes;
    SearchIndexFile(connection()).writeCursor(m_cursor);
    refreshSnapshot();
    scheduleStep();
}

void SearchIndex::scheduleStep()
{
    if (m_state == State::Building && !m_timer.isActive() && QCoreApplication::instance())
        m_timer.start(0);
}

bool SearchIndex::step()
{
    if (m_state != State::Building)
        return false;
    const QSqlDatabase db = connection();
    if (handleOf(db) != m_handle) {
        STORE_LOG_INFO(QStringLiteral("search index %1: its connection closed").arg(m_path));
        reset();
        return false;
    }
    QElapsedTimer timer;
    timer.start();
    SearchIndexFile file(db);
    OwnTransaction transaction(db);
    if (!transaction.isActive()) {
        // The connection is inside somebody else's transaction: later.
        if (QCoreApplication::instance())
            m_timer.start(RetryMs);
        return false;
    }
    // Somebody else wrote since the last batch: what the pass did before may be out of date.
    if (!unchangedSinceSnapshot())
        m_passClean = false;
    if (m_cursor == SearchIndexFile::End) {
        // The pass is through. Clean (nobody else wrote while it ran): every row got its
        // entry and only the shell's own writes, which keep entries in step, came between.
        SearchIndexFile::Figures now;
        if (!file.messageFigures(&now)) {
            transaction.rollback();
            stepFailed(file, QStringLiteral("pass end"));
            return false;
        }
        ++m_progress.steps;
        if (m_passClean) {
            finishCheck(file, transaction, true, now);
        } else {
            // A row the pass had already compared may have changed since.
            transaction.rollback();
            STORE_LOG_INFO(QStringLiteral("search index %1: rows changed during the pass, another pass").arg(m_path));
            startPass(0);
        }
    } else {
        const int rows = m_batch;
        qint64 bound = 0;
        Snapshot marks;
        const bool ok = file.nextBound(m_cursor, rows, &bound) && file.reconcile(m_cursor, bound)
            && (bound == SearchIndexFile::End || file.writeCursor(bound)) && takeSnapshot(&marks)
            && transaction.commit();
        if (!ok) {
            transaction.rollback();
            stepFailed(file, QStringLiteral("catch-up"));
            return false;
        }
        m_snapshot = marks;
        ++m_progress.steps;
        m_cursor = bound;
        m_failedSteps = 0;
        const double elapsedMs = double(timer.nsecsElapsed()) / 1e6;
        if (m_adaptiveBatch && bound != SearchIndexFile::End) {
            // Aim each batch at StepTargetMs on this machine and this data. The cost per row
            // is smoothed: the index's merges make single steps uneven.
            const double perRow = qMax(elapsedMs / rows, 1e-4);
            m_msPerRow = m_msPerRow > 0 ? 0.8 * m_msPerRow + 0.2 * perRow : perRow;
            m_batch = int(qBound(double(MinBatch), StepTargetMs / m_msPerRow, double(MaxBatch)));
        }
    }
    m_progress.longestStepMs = qMax(m_progress.longestStepMs, double(timer.nsecsElapsed()) / 1e6);
    return m_state == State::Building;
}

bool SearchIndex::catchUp(int timeLimitMs)
{
    QElapsedTimer timer;
    timer.start();
    while (m_state == State::Building && (timeLimitMs < 0 || timer.elapsed() < timeLimitMs)) {
        m_timer.stop();
        const int before = m_progress.steps;
        step();
        // A step that could not run (contention, a foreign transaction, a failure) is
        // retried from the timer.
        if (m_progress.steps == before)
            break;
    }
    if (m_state == State::Building)
        scheduleStep();
    return m_state == State::Current;
}

void SearchIndex::stepFailed(const SearchIndexFile &file, const QString &what)
{
    const int code = file.lastResultCode();
    const QSqlDatabase db = connection();
    if (!m_reopening && handleOf(db) == m_handle && !SearchIndexFile(db).isAttached()) {
        STORE_LOG_INFO(QStringLiteral("search index %1 was detached: attached again").arg(m_path));
        m_reopening = true;
        open(db);
        m_reopening = false;
        return;
    }
    if (isDamage(code)) {
        if (rebuild(what + QStringLiteral(" failed: ") + StoreSql::describe(file.lastError())))
            startPass(0);
        return;
    }
    if (m_state == State::Current)
        m_state = State::Building;
    if (!isContention(code) && ++m_failedSteps > MaxFailedSteps) {
        drop(what + QStringLiteral(" failed %1 times: ").arg(m_failedSteps) + StoreSql::describe(file.lastError()));
        return;
    }
    STORE_LOG_WARN(QStringLiteral("search index %1: %2 failed, retried: %3")
                 .arg(m_path, what, StoreSql::describe(file.lastError())));
    if (QCoreApplication::instance())
        m_timer.start(RetryMs);
}

void SearchIndex::drop(const QString &why)
{
    STORE_LOG_WARN(QStringLiteral("search index %1 %2; searches scan").arg(m_path, why));
    const quintptr handle = m_handle;
    const QSqlDatabase db = connection();
    if (handleOf(db) == handle) {
        SearchIndexFile file(db);
        if (file.isAttached())
            file.detach();
    }
    reset();
    m_refusedHandle = handle;
}

void SearchIndex::reset()
{
    m_timer.stop();
    m_state = State::Off;
    m_handle = 0;
    m_connectionName.clear();
    m_meta = SearchIndexFile::Meta();
    m_cursor = 0;
    m_failedSteps = 0;
    m_snapshot = Snapshot();
}

void SearchIndex::detach()
{
    m_refusedHandle = 0;
    if (m_handle == 0) {
        reset();
        return;
    }
    const QSqlDatabase db = connection();
    if (handleOf(db) == m_handle) {
        SearchIndexFile file(db);
        // The stamp vouches for what the meta says only when nobody else wrote since the
        // index last looked; otherwise the next attach verifies every row.
        const bool vouched = (m_state == State::Current || (m_state == State::Building && m_passClean))
            && unchangedSinceSnapshot();
        qint64 counter = 0;
        if (!vouched || !file.changeCounter(db.databaseName(), &counter))
            counter = 0;
        if (file.isAttached() && !file.writeStamp(counter))
            STORE_LOG_WARN(QStringLiteral("search index %1: stamp not written, verified on the next attach: %2")
                               .arg(m_path, StoreSql::describe(file.lastError())));
        if (file.isAttached() && !file.detach())
            STORE_LOG_WARN(QStringLiteral("search index %1 not detached: %2").arg(m_path, StoreSql::describe(file.lastError())));
    }
    reset();
}

bool SearchIndex::readyFor(const QSqlDatabase &db)
{
    if (!m_enabled)
        return false;
    const quintptr handle = handleOf(db);
    if (handle == 0)
        return false;
    if (handle != m_handle) {
        // Another connection, or ours closed and opened again: the attachment went with it.
        if (handle == m_refusedHandle || !open(db))
            return false;
    }
    switch (m_state) {
    case State::Off:
        return false;
    case State::Building:
        scheduleStep();
        return false;
    case State::Current:
        break;
    }
    if (unchangedSinceSnapshot())
        return true;
    verifyAfterForeignWrite();
    return false;
}

void SearchIndex::indexedQueryFailed(const QSqlDatabase &db, const QSqlError &error)
{
    if (!servesConnection(db))
        return;
    const int code = StoreSql::resultCode(error);
    if (isContention(code))
        return;
    if (!SearchIndexFile(db).isAttached()) {
        // Somebody detached it (or closed the connection under us): attach again.
        STORE_LOG_INFO(QStringLiteral("search index %1 was detached: attached again").arg(m_path));
        open(db);
        return;
    }
    if (rebuild(QStringLiteral("failed a search: ") + StoreSql::describe(error)))
        startPass(0);
}

bool SearchIndex::takeSnapshot(Snapshot *snapshot) const
{
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT total_changes()")) || !query.next())
        return false;
    snapshot->totalChanges = query.value(0).toLongLong();
    if (!query.exec(QStringLiteral("PRAGMA main.data_version")) || !query.next())
        return false;
    snapshot->dataVersion = query.value(0).toLongLong();
    return true;
}

bool SearchIndex::unchangedSinceSnapshot() const
{
    Snapshot now;
    return m_snapshot.totalChanges >= 0 && takeSnapshot(&now) && now == m_snapshot;
}

void SearchIndex::refreshSnapshot()
{
    if (!takeSnapshot(&m_snapshot))
        m_snapshot = Snapshot();
}
