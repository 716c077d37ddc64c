#include "StoreBench.h"

#include "BenchCorpus.h"
#include "RawSqlite.h"
#include "SampleStats.h"

#include "store/CLocalDataBase.h"
#include "store/SearchIndex.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTextStream>

#include <sqlite3.h>

namespace {

constexpr double InsertTarget = 1.5;
constexpr double SpeedupTarget = 100.0;
constexpr double IndexedP50TargetMs = 10.0;
constexpr quint64 Seed = 20240607;

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

double msSince(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

QString ms(double value)
{
    return QStringLiteral("%1 ms").arg(value, 9, 'f', value < 10 ? 2 : 1);
}

QString mb(qint64 bytes)
{
    return QStringLiteral("%1 MB").arg(double(bytes) / (1024.0 * 1024.0), 0, 'f', 1);
}

QStringList idsOf(const QList<DBMessageSave> &messages)
{
    QStringList ids;
    ids.reserve(messages.size());
    for (const DBMessageSave &m : messages)
        ids << m.id;
    return ids;
}

QString atLeastLine(double ratio, double target)
{
    return QStringLiteral("%1x (target >= %2x) %3")
        .arg(ratio, 0, 'f', 1)
        .arg(target, 0, 'f', 0)
        .arg(ratio >= target ? QStringLiteral("ok") : QStringLiteral("MISSED"));
}

QString withinLine(double value, double target)
{
    return QStringLiteral("%1 (target <= %2 ms) %3")
        .arg(ms(value).trimmed())
        .arg(target, 0, 'f', 0)
        .arg(value <= target ? QStringLiteral("ok") : QStringLiteral("MISSED"));
}

SearchIndex *searchIndex()
{
    return SearchIndex::instance();
}

} // namespace

StoreBench::StoreBench(const Options &options)
    : m_options(options)
    , m_root(options.folder)
{
}

void StoreBench::fail(const QString &what)
{
    m_failures << what;
    QTextStream(stderr) << "FAILED: " << what << Qt::endl;
}

QString StoreBench::databaseFile(const QString &account) const
{
    return m_root + QLatin1Char('/') + account + QStringLiteral("/data.db");
}

bool StoreBench::openStore(const QString &account, bool withIndex)
{
    searchIndex()->setEnabled(withIndex);
    if (!CLocalDataBase::Open(account, m_root, true)) {
        fail(QStringLiteral("cannot open %1").arg(databaseFile(account)));
        return false;
    }
    return true;
}

bool StoreBench::run()
{
    out() << QStringLiteral("store: %1 messages in %2 conversations; inserts of %3; SQLite %4\n"
                            "figures are medians (p50) unless marked; ratios are store / raw SQLite\n\n")
                 .arg(m_options.rows)
                 .arg(m_options.conversations)
                 .arg(m_options.insertRows)
                 .arg(QString::fromLatin1(sqlite3_libversion()))
          << Qt::flush;

    insertBench();
    if (m_options.rows == 0)
        return m_failures.isEmpty();

    const BenchCorpus corpus(m_options.rows, m_options.conversations, 100, Seed);
    if (!buildCorpus(corpus) || !indexBench())
        return false;
    searchBench(corpus);
    loadBench(corpus);
    markReadBench(corpus);
    CLocalDataBase::Close();

    m_failures.removeDuplicates();
    return m_failures.isEmpty();
}

bool StoreBench::insertBench()
{
    const int n = m_options.insertRows;
    const BenchCorpus corpus(n, m_options.conversations, 100, Seed + 1, QStringLiteral("i"));
    const QList<DBMessageSave> messages = corpus.messages(0, n);
    QVector<double> raw, store, indexed, ratios;
    for (int rep = 0; rep < m_options.insertReps; ++rep) {
        const QString rawAccount = QStringLiteral("insert_raw%1").arg(rep);
        const QString storeAccount = QStringLiteral("insert_store%1").arg(rep);
        const QString indexedAccount = QStringLiteral("insert_index%1").arg(rep);

        // The same schema for the baseline: created by the store, then closed.
        if (!openStore(rawAccount, false))
            return false;
        CLocalDataBase::Close();
        {
            RawSqlite db(databaseFile(rawAccount));
            QElapsedTimer timer;
            timer.start();
            if (!db.insertMessages(messages))
                fail(QStringLiteral("raw insert: ") + db.error());
            raw.append(msSince(timer));
        }

        if (!openStore(storeAccount, false))
            return false;
        {
            QElapsedTimer timer;
            timer.start();
            if (!CLocalDataBase::InsertMessages(messages, QSqlDatabase::database()))
                fail(QStringLiteral("InsertMessages failed"));
            store.append(msSince(timer));
        }
        CLocalDataBase::Close();
        ratios.append(store.last() / raw.last());

        if (!openStore(indexedAccount, true))
            return false;
        searchIndex()->catchUp();
        {
            QElapsedTimer timer;
            timer.start();
            if (!CLocalDataBase::InsertMessages(messages, QSqlDatabase::database()))
                fail(QStringLiteral("InsertMessages with the index failed"));
            indexed.append(msSince(timer));
        }
        if (searchIndex()->state() != SearchIndex::State::Current)
            fail(QStringLiteral("the index did not stay current through InsertMessages"));
        const QList<DBMessageSave> hits =
            CLocalDataBase::search(MessageSearch::Scope(), BenchCorpus::LatinKeyword, 0);
        if (hits.size() != 100 || MessageSearch::lastPath() != MessageSearch::Path::Indexed)
            fail(QStringLiteral("after InsertMessages the index found %1 of 100").arg(hits.size()));
        CLocalDataBase::Close();
        for (const QString &account : {rawAccount, storeAccount, indexedAccount})
            QDir(m_root + QLatin1Char('/') + account).removeRecursively();
    }
    const double rawMs = SampleStats(raw).median();
    const double storeMs = SampleStats(store).median();
    const double indexedMs = SampleStats(indexed).median();
    out() << QStringLiteral("insert %1 messages in one batch (%2 repetitions, fresh data.db each)\n")
                 .arg(n)
                 .arg(m_options.insertReps)
          << "  raw sqlite3, one prepared INSERT, one transaction: " << ms(rawMs) << "\n"
          << "  CLocalDataBase::InsertMessages, no search index:  " << ms(storeMs) << "\n"
          << "  ratio " << ratioLine(SampleStats(ratios).median(), InsertTarget) << "\n"
          << "  InsertMessages with the search index kept in step: " << ms(indexedMs) << "\n"
          << QStringLiteral("  index upkeep: %1 (%2 us per message)\n\n")
                 .arg(ms(indexedMs - storeMs).trimmed())
                 .arg((indexedMs - storeMs) * 1000.0 / n, 0, 'f', 1)
          << Qt::flush;
    return true;
}

bool StoreBench::buildCorpus(const BenchCorpus &corpus)
{
    // A folder given with --dir may hold the corpus of an earlier run.
    QDir(m_root + QStringLiteral("/corpus")).removeRecursively();
    if (!openStore(QStringLiteral("corpus"), false))
        return false;
    CLocalDataBase::Close();
    QElapsedTimer timer;
    timer.start();
    RawSqlite db(databaseFile(QStringLiteral("corpus")));
    constexpr int Chunk = 50000;
    for (qint64 first = 0; first < corpus.rows(); first += Chunk) {
        if (!db.insertMessages(corpus.messages(first, Chunk))) {
            fail(QStringLiteral("corpus not written: ") + db.error());
            return false;
        }
    }
    out() << QStringLiteral("corpus: %1 messages written by raw sqlite3 in %2 s (setup), data.db %3; "
                            "conversation 0 holds %4\n")
                 .arg(corpus.rows())
                 .arg(msSince(timer) / 1000.0, 0, 'f', 1)
                 .arg(mb(QFileInfo(databaseFile(QStringLiteral("corpus"))).size()))
                 .arg(corpus.rowsOf(0))
          << Qt::flush;
    return true;
}

bool StoreBench::indexBench()
{
    const QString account = QStringLiteral("corpus");
    QElapsedTimer timer;
    timer.start();
    if (!openStore(account, true))
        return false;
    const double firstOpenMs = msSince(timer);
    timer.restart();
    const bool current = searchIndex()->catchUp();
    const double buildMs = msSince(timer);
    const SearchIndex::Progress progress = searchIndex()->progress();
    if (!current) {
        fail(QStringLiteral("the search index did not catch up"));
        return false;
    }
    out() << QStringLiteral("search index: built in %1 s in %2 steps sized for %3 ms each (longest step %4), "
                            "%5 beside data.db\n")
                 .arg(buildMs / 1000.0, 0, 'f', 1)
                 .arg(progress.steps)
                 .arg(SearchIndex::StepTargetMs, 0, 'f', 0)
                 .arg(ms(progress.longestStepMs).trimmed())
                 .arg(mb(QFileInfo(searchIndex()->sideFile()).size()));
    // Open runs the schema checks and migrations either way; the difference is the attach.
    CLocalDataBase::Close();
    timer.restart();
    if (!openStore(account, false))
        return false;
    const double plainOpenMs = msSince(timer);
    CLocalDataBase::Close();
    timer.restart();
    if (!openStore(account, true))
        return false;
    const double reopenMs = msSince(timer);
    if (searchIndex()->state() != SearchIndex::State::Current)
        fail(QStringLiteral("a current index was not current after reopening"));
    out() << QStringLiteral("  CLocalDataBase::Open of data.db: %1 without the index; %2 with a current index "
                            "(attach, change counter and row count compared); %3 the first time (side file created)\n")
                 .arg(ms(plainOpenMs).trimmed(), ms(reopenMs).trimmed(), ms(firstOpenMs).trimmed())
          << Qt::flush;
    // One text changed in place behind the store: every row is compared before the index
    // answers again.
    CLocalDataBase::Close();
    {
        RawSqlite db(databaseFile(account));
        if (!db.exec("UPDATE msgrecord SET true_content = true_content || ' x' WHERE rowid = 1")) {
            fail(QStringLiteral("in-place update: ") + db.error());
            return false;
        }
    }
    if (!openStore(account, true))
        return false;
    timer.restart();
    const int stepsBefore = searchIndex()->progress().steps;
    if (!searchIndex()->catchUp())
        fail(QStringLiteral("the index did not verify the changed data.db"));
    out() << QStringLiteral("  verifying pass after a foreign write: %1 in %2 steps\n\n")
                 .arg(ms(msSince(timer)).trimmed())
                 .arg(searchIndex()->progress().steps - stepsBefore)
          << Qt::flush;
    return true;
}

bool StoreBench::searchKeyword(const QString &label, const QString &keyword, int expectedHits)
{
    const MessageSearch::Scope everywhere;
    QVector<double> like, indexed;
    QStringList likeIds, indexedIds;
    searchIndex()->setEnabled(false);
    for (int rep = 0; rep < m_options.likeReps; ++rep) {
        QElapsedTimer timer;
        timer.start();
        likeIds = idsOf(CLocalDataBase::search(everywhere, keyword, 0));
        like.append(msSince(timer));
        if (MessageSearch::lastPath() != MessageSearch::Path::Like)
            fail(label + QStringLiteral(": the LIKE run did not scan"));
    }
    searchIndex()->setEnabled(true);
    CLocalDataBase::search(everywhere, keyword, 0); // attaches again
    for (int rep = 0; rep < m_options.indexedReps; ++rep) {
        QElapsedTimer timer;
        timer.start();
        indexedIds = idsOf(CLocalDataBase::search(everywhere, keyword, 0));
        indexed.append(msSince(timer));
        if (MessageSearch::lastPath() != MessageSearch::Path::Indexed)
            fail(label + QStringLiteral(": the index was not used"));
    }
    const bool same = likeIds == indexedIds;
    if (!same)
        fail(label + QStringLiteral(": the paths returned different rows"));
    if (likeIds.size() != expectedHits)
        fail(label + QStringLiteral(": %1 hits, %2 planted").arg(likeIds.size()).arg(expectedHits));
    const SampleStats likeStats(like);
    const SampleStats indexedStats(indexed);
    out() << QStringLiteral("keyword \"%1\" (%2) across all conversations: %3 hits, same rows in the same order: %4\n")
                 .arg(keyword, label)
                 .arg(likeIds.size())
                 .arg(same ? QStringLiteral("yes") : QStringLiteral("NO"))
          << "  LIKE path (scan of msgrecord):  p50 " << ms(likeStats.median()) << "\n"
          << "  indexed path (trigram + LIKE):  p50 " << ms(indexedStats.median()) << "   p90 "
          << ms(indexedStats.p90()) << "\n"
          << "  speed-up " << atLeastLine(likeStats.median() / indexedStats.median(), SpeedupTarget) << "\n"
          << "  indexed p50 " << withinLine(indexedStats.median(), IndexedP50TargetMs) << "\n"
          << Qt::flush;
    return same;
}

bool StoreBench::searchBench(const BenchCorpus &corpus)
{
    searchKeyword(QStringLiteral("Chinese"), BenchCorpus::ChineseKeyword, 100);
    searchKeyword(QStringLiteral("Latin"), BenchCorpus::LatinKeyword, 100);

    // What msgrecord_sender_index (an extra index on data.db) buys the indexed path.
    const MessageSearch::Scope everywhere;
    QSqlQuery query(QSqlDatabase::database());
    if (query.exec(QStringLiteral("DROP INDEX msgrecord_sender_index"))) {
        QVector<double> without;
        for (int rep = 0; rep < qMax(3, m_options.likeReps); ++rep) {
            QElapsedTimer timer;
            timer.start();
            CLocalDataBase::search(everywhere, BenchCorpus::LatinKeyword, 0);
            without.append(msSince(timer));
        }
        QElapsedTimer timer;
        timer.start();
        const bool created = query.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS msgrecord_sender_index on msgrecord(sender)"));
        const double createMs = msSince(timer);
        if (!created)
            fail(QStringLiteral("sender index not created again"));
        QVector<double> with;
        for (int rep = 0; rep < m_options.indexedReps; ++rep) {
            timer.restart();
            CLocalDataBase::search(everywhere, BenchCorpus::LatinKeyword, 0);
            with.append(msSince(timer));
        }
        const double withoutMs = SampleStats(without).median();
        const double withMs = SampleStats(with).median();
        out() << "msgrecord_sender_index (the search's sender branch)\n"
              << "  indexed path without it: p50 " << ms(withoutMs) << "  (the sender = ? branch scans msgrecord)\n"
              << "  indexed path with it:    p50 " << ms(withMs) << QStringLiteral("  (%1x faster)\n")
                     .arg(withoutMs / withMs, 0, 'f', 1)
              << "  creating it over " << corpus.rows() << " rows (once, on Open of an older data.db): "
              << ms(createMs).trimmed() << "\n" << Qt::flush;
    } else {
        fail(QStringLiteral("sender index not dropped"));
    }

    // A short keyword never reaches the trigram index.
    QVector<double> shortTimes;
    int shortHits = 0;
    for (int rep = 0; rep < m_options.likeReps; ++rep) {
        QElapsedTimer timer;
        timer.start();
        shortHits = int(CLocalDataBase::search(everywhere, BenchCorpus::ShortKeyword, 0).size());
        shortTimes.append(msSince(timer));
        if (MessageSearch::lastPath() != MessageSearch::Path::Like)
            fail(QStringLiteral("a two-character keyword used the index"));
    }
    out() << QStringLiteral("keyword \"%1\" (2 characters, always the LIKE path): %2 hits, p50 %3\n")
                 .arg(BenchCorpus::ShortKeyword)
                 .arg(shortHits)
                 .arg(ms(SampleStats(shortTimes).median()).trimmed());

    // Another program appends a message: searches scan until the index has verified every
    // row, then find it through the index.
    {
        RawSqlite raw(databaseFile(QStringLiteral("corpus")));
        DBMessageSave late = corpus.message(0);
        late.id = QStringLiteral("late-1");
        late.messageid = QStringLiteral("late-1");
        late.true_content = QStringLiteral("late ") + BenchCorpus::LatinKeyword;
        if (!raw.insertMessages({late}))
            fail(QStringLiteral("late row not written: ") + raw.error());
    }
    QElapsedTimer timer;
    timer.start();
    const int scanHits = int(CLocalDataBase::search(everywhere, BenchCorpus::LatinKeyword, 0).size());
    const double scanMs = msSince(timer);
    if (scanHits != 101 || MessageSearch::lastPath() != MessageSearch::Path::Like)
        fail(QStringLiteral("the first search after another program's append did not scan"));
    timer.restart();
    if (!searchIndex()->catchUp())
        fail(QStringLiteral("the index did not verify the appended row"));
    const double verifyMs = msSince(timer);
    const int lateHits = int(CLocalDataBase::search(everywhere, BenchCorpus::LatinKeyword, 0).size());
    if (lateHits != 101 || MessageSearch::lastPath() != MessageSearch::Path::Indexed)
        fail(QStringLiteral("the row another program appended was not found through the index"));
    out() << QStringLiteral("after another program appended a row: first search scans (%1, %2 hits); the index "
                            "verifies every row in %3, then finds %4\n")
                 .arg(ms(scanMs).trimmed())
                 .arg(scanHits)
                 .arg(ms(verifyMs).trimmed())
                 .arg(lateHits);

    // One conversation, for information: the LIKE path walks it through msgrecord_index1.
    const QString big = BenchCorpus::jid(0);
    QVector<double> convLike, convIndexed;
    QStringList convLikeIds, convIndexedIds;
    searchIndex()->setEnabled(false);
    for (int rep = 0; rep < m_options.likeReps; ++rep) {
        timer.restart();
        convLikeIds = idsOf(CLocalDataBase::SearchConversation(big, BenchCorpus::suffix(), BenchCorpus::ChineseKeyword, 0));
        convLike.append(msSince(timer));
    }
    searchIndex()->setEnabled(true);
    CLocalDataBase::search(everywhere, BenchCorpus::ChineseKeyword, 0);
    for (int rep = 0; rep < m_options.indexedReps; ++rep) {
        timer.restart();
        convIndexedIds =
            idsOf(CLocalDataBase::SearchConversation(big, BenchCorpus::suffix(), BenchCorpus::ChineseKeyword, 0));
        convIndexed.append(msSince(timer));
    }
    if (convLikeIds != convIndexedIds)
        fail(QStringLiteral("conversation search: the paths returned different rows"));
    out() << QStringLiteral("keyword \"%1\" in the %2-message conversation: %3 hits, same rows: %4; LIKE p50 %5, "
                            "indexed p50 %6\n\n")
                 .arg(BenchCorpus::ChineseKeyword)
                 .arg(corpus.rowsOf(0))
                 .arg(convLikeIds.size())
                 .arg(convLikeIds == convIndexedIds ? QStringLiteral("yes") : QStringLiteral("NO"))
                 .arg(ms(SampleStats(convLike).median()).trimmed(), ms(SampleStats(convIndexed).median()).trimmed())
          << Qt::flush;
    return true;
}

bool StoreBench::loadBench(const BenchCorpus &corpus)
{
    const QString jid = BenchCorpus::jid(0);
    const QString uniqueJid = jid + BenchCorpus::suffix();
    QVector<double> store, raw, ratios;
    qint64 storeRows = 0;
    int rawRows = 0;
    RawSqlite db(databaseFile(QStringLiteral("corpus")));
    for (int rep = 0; rep < m_options.likeReps; ++rep) {
        QElapsedTimer timer;
        timer.start();
        storeRows = CLocalDataBase::MessagesOfConversation(jid, BenchCorpus::suffix()).size();
        store.append(msSince(timer));
        timer.restart();
        rawRows = db.loadConversation(uniqueJid);
        raw.append(msSince(timer));
        ratios.append(store.last() / raw.last());
    }
    if (storeRows != corpus.rowsOf(0) + 1 || rawRows != storeRows) // + the row appended above
        fail(QStringLiteral("conversation load: %1 rows by the store, %2 raw").arg(storeRows).arg(rawRows));
    out() << QStringLiteral("load one conversation (%1 messages, every column, ordered by time)\n").arg(storeRows)
          << "  raw sqlite3, columns read into QStrings:    " << ms(SampleStats(raw).median()) << "\n"
          << "  CLocalDataBase::MessagesOfConversation:     " << ms(SampleStats(store).median()) << "\n"
          << QStringLiteral("  ratio %1x (median of paired runs)\n\n").arg(SampleStats(ratios).median(), 0, 'f', 2) << Qt::flush;
    return true;
}

bool StoreBench::markReadBench(const BenchCorpus &corpus)
{
    const QString uniqueJid = BenchCorpus::jid(0) + BenchCorpus::suffix();
    QVector<double> store, raw;
    RawSqlite db(databaseFile(QStringLiteral("corpus")));
    // Raw rounds first: a write from another connection makes the store's next write
    // compare the search index's figures once, which is not what is timed here.
    for (int pass = 0; pass < 2; ++pass) {
        for (int rep = 0; rep < m_options.likeReps; ++rep) {
            QStringList ids;
            for (int i = 0; i < 1000; ++i)
                ids << corpus.messageId(qint64(rep * 1000 + i) * 20);
            QElapsedTimer timer;
            timer.start();
            if (pass == 0) {
                if (!db.markRead(uniqueJid, ids))
                    fail(QStringLiteral("raw read marks: ") + db.error());
                raw.append(msSince(timer));
            } else {
                if (!CLocalDataBase::MarkMessagesRead(uniqueJid, ids, QSqlDatabase::database()))
                    fail(QStringLiteral("MarkMessagesRead failed"));
                store.append(msSince(timer));
            }
        }
    }
    const double rawMs = SampleStats(raw).median();
    const double storeMs = SampleStats(store).median();
    out() << "mark 1000 messages read (one transaction, one prepared UPDATE per message)\n"
          << "  raw sqlite3:                      " << ms(rawMs) << "\n"
          << "  CLocalDataBase::MarkMessagesRead: " << ms(storeMs) << "\n"
          << QStringLiteral("  ratio %1x\n").arg(storeMs / rawMs, 0, 'f', 2) << Qt::flush;
    // The raw runs were another program's writes: verified first; the store's own read
    // marks then leave the index current.
    if (!searchIndex()->catchUp()
        || !CLocalDataBase::MarkMessagesRead(uniqueJid, {QStringLiteral("late-1")}, QSqlDatabase::database())
        || searchIndex()->state() != SearchIndex::State::Current)
        fail(QStringLiteral("read marks left the index not current"));
    return true;
}
