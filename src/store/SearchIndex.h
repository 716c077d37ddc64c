#pragma once

#include "StoreExport.h"

#include "SearchIndexFile.h"

#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QTimer>
#include <QVariantList>

// The keyword index of msgrecord.true_content: an FTS5 trigram index in a side file next
// to data.db (SearchIndexFile), attached to the store's connection. It only nominates
// candidate rows; MessageSearch applies the full condition to them, so results equal the
// LIKE path's, and MessageSearch uses the LIKE path whenever readyFor() is false.
//
// Keeping it current:
// - On attach it trusts its stored state only when data.db's change counter still equals
//   the stamp it left (nobody wrote since); then it is current at once or goes on with its
//   pass. Otherwise a pass compares every row's id and text with its entry first.
// - Passes run in batches of a few thousand rows from a zero-time timer on the GUI
//   thread, so the event loop keeps running between batches; searches meanwhile use LIKE.
// - The shell's own write paths (MessageStore inserts, MessageDeletion deletes) keep the
//   index in step in the same statement group (IndexUpkeep).
// - Changes by anybody else show up as a changed total_changes() of the connection
//   (plug-ins writing on the shared default connection) or PRAGMA data_version (other
//   connections and processes). Row count and highest rowid cannot say what changed (an
//   in-place update of true_content keeps both), so such a change starts a pass over every
//   row, and searches use LIKE until it is through. A pass during which somebody else
//   wrote is run again.
class LUMIO_STORE_EXPORT SearchIndex : public QObject
{
    Q_OBJECT
public:
    enum class State {
        Off,      // not attached (disabled, no database, or the side file cannot be used)
        Building, // attached, a pass is under way: searches use LIKE
        Current   // attached and mirroring msgrecord
    };
    struct Progress
    {
        int steps = 0;
        int passes = 0;
        double longestStepMs = 0.0;
        int rebuilds = 0;
    };

    static constexpr int FirstBatch = 500;
    static constexpr int MinBatch = 100;
    static constexpr int MaxBatch = 20000;
    static constexpr double StepTargetMs = 20.0;

    static SearchIndex *instance();
    explicit SearchIndex(QObject *parent = nullptr);
    ~SearchIndex() override;

    // Off: detaches and attaches no more (benchmarks, LIKE reference runs).
    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }

    // Attaches <data.db's folder>/data.search to db (the store's connection).
    bool attach(const QSqlDatabase &db);
    // Before db closes: stores the pass position and detaches.
    void detach();

    State state() const { return m_state; }
    QString sideFile() const { return m_path; }
    bool servesConnection(const QSqlDatabase &db) const;

    // True when the index may pick the candidates of a search on db now. After a write by
    // somebody else it starts a verifying pass instead; attaches when db is not attached yet.
    bool readyFor(const QSqlDatabase &db);
    // An indexed query failed: the side file is rebuilt; the caller falls back to LIKE.
    void indexedQueryFailed(const QSqlDatabase &db, const QSqlError &error);

    // One batch of the running pass now; false when no pass is running.
    bool step();
    // Runs batches until current, the time is up (ms, <0 for no limit) or it fails.
    bool catchUp(int timeLimitMs = -1);
    // A fixed batch (tests); by default each batch is sized to take about StepTargetMs.
    void setBatchSize(int rows)
    {
        m_batch = qMax(rows, 1);
        m_adaptiveBatch = false;
    }
    void setAdaptiveBatch()
    {
        m_batch = FirstBatch;
        m_adaptiveBatch = true;
        m_msPerRow = 0.0;
    }
    Progress progress() const { return m_progress; }

signals:
    void becameCurrent();

private:
    friend class IndexUpkeep;
    // Marks that move with every change of data.db: total_changes() of the connection
    // (every write on it, the plug-ins' too) and PRAGMA data_version (commits by others).
    struct Snapshot
    {
        qint64 totalChanges = -1;
        qint64 dataVersion = -1;
        bool operator==(const Snapshot &other) const
        {
            return totalChanges == other.totalChanges && dataVersion == other.dataVersion;
        }
    };

    static quintptr handleOf(const QSqlDatabase &db);
    QSqlDatabase connection() const;
    void reset();
    bool open(const QSqlDatabase &db);
    bool prepareFile(SearchIndexFile &file);
    bool rebuild(const QString &why);
    void resumeAtAttach();
    void verifyAfterForeignWrite();
    class OwnTransaction;
    bool finishCheck(SearchIndexFile &file, OwnTransaction &transaction, bool own,
                     const SearchIndexFile::Figures &figures);
public:
    // Starts a reconciling pass from rowid from (exclusive). clean: the rows up to from are
    // known to be mirrored now, so a pass nobody else writes during needs no final count.
    void startPass(qint64 from, bool clean = true);

private:
    void scheduleStep();
    void stepFailed(const SearchIndexFile &file, const QString &what);
    void drop(const QString &why);
    bool takeSnapshot(Snapshot *snapshot) const;
    bool unchangedSinceSnapshot() const;
    void refreshSnapshot();

    bool m_enabled = true;
    State m_state = State::Off;
    // By name: a held copy would keep Qt from removing the connection.
    QString m_connectionName;
    quintptr m_handle = 0;
    quintptr m_refusedHandle = 0;
    QString m_path;
    SearchIndexFile::Meta m_meta;
    Snapshot m_snapshot;
    qint64 m_cursor = 0;
    int m_batch = FirstBatch;
    bool m_adaptiveBatch = true;
    double m_msPerRow = 0.0;
    int m_failedSteps = 0;
    bool m_reopening = false;
    bool m_passClean = false;
    Progress m_progress;
    QTimer m_timer;
};
