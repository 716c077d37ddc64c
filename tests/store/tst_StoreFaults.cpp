#include "FaultBatch.h"
#include "StoreFixture.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <sqlite3.h>

#include <csignal>

namespace {

struct ChildRun
{
    QProcess::ExitStatus status = QProcess::NormalExit;
    int code = -1;
    QString output;
};

QStringList childArguments(const StoreFixture &store, int committed, int batch, int cachePages,
                           const QString &fault)
{
    return {store.root(), QString::number(committed), QString::number(batch), QString::number(cachePages), fault};
}

// The child inherits the test's ASan options: its reports go to stderr, never to a file
// the size limit could cut, and a child killed by SIGKILL writes none.
ChildRun runChild(const QStringList &arguments)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(LUMIO_STORE_FAULT_CHILD, arguments);
    ChildRun run;
    if (!child.waitForFinished(120000)) {
        child.kill();
        child.waitForFinished();
        run.output = QStringLiteral("<child did not finish>");
        return run;
    }
    run.status = child.exitStatus();
    run.code = child.exitCode();
    run.output = QString::fromUtf8(child.readAll());
    return run;
}

// Starts the child, waits for the line it prints while stalled inside the batch, kills it.
ChildRun killWhenStalled(const QStringList &arguments, const QString &marker)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(LUMIO_STORE_FAULT_CHILD, arguments);
    ChildRun run;
    while (!run.output.contains(marker) && child.state() != QProcess::NotRunning) {
        if (!child.waitForReadyRead(120000))
            break;
        run.output += QString::fromUtf8(child.readAll());
    }
    if (run.output.contains(marker))
        ::kill(pid_t(child.processId()), SIGKILL);
    else
        child.kill();
    child.waitForFinished();
    run.output += QString::fromUtf8(child.readAll());
    run.status = child.exitStatus();
    run.code = child.exitCode();
    return run;
}

QStringList expectedRows(int committed, int batch)
{
    QStringList rows;
    for (const DBMessageSave &m : FaultBatch::messages(QStringLiteral("b"), 0, batch))
        rows << m.id + QLatin1Char('|') + m.content;
    for (const DBMessageSave &m : FaultBatch::messages(QStringLiteral("c"), 0, committed))
        rows << m.id + QLatin1Char('|') + m.content;
    return rows;
}

// What the shell finds at the next start: the check, then the store's own open.
QStringList rowsAtNextStart(StoreFixture &store)
{
    if (!CLocalDataBase::CheckDatabase(QStringLiteral("alice"), store.root(), true))
        return {QStringLiteral("<check failed>")};
    if (!store.open())
        return {QStringLiteral("<open failed>")};
    const QStringList rows = store.rows(QStringLiteral("SELECT id, content FROM msgrecord ORDER BY id"));
    store.closeRaw();
    CLocalDataBase::Close();
    return rows;
}

// The same file through plain SQLite, without Qt.
QString plainIntegrity(const QString &path)
{
    sqlite3 *db = nullptr;
    QString verdict = QStringLiteral("<cannot open>");
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr) == SQLITE_OK
            && sqlite3_step(statement) == SQLITE_ROW)
            verdict = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
        else
            verdict = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return verdict;
}

qint64 committedSize(const QString &output)
{
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("committed: \\d+ size: (\\d+)")).match(output);
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

} // namespace

class tst_StoreFaults : public QObject
{
    Q_OBJECT
private slots:
    void writesFailingAtTheFileSizeLimit_data();
    void writesFailingAtTheFileSizeLimit();
    void killedInsideABatch_data();
    void killedInsideABatch();
    void everyFailingWriteUndoesTheBatch_data();
    void everyFailingWriteUndoesTheBatch();
};

void tst_StoreFaults::writesFailingAtTheFileSizeLimit_data()
{
    QTest::addColumn<int>("batch");
    QTest::addColumn<int>("cachePages");
    QTest::addColumn<QString>("logLine");
    QTest::addColumn<QString>("error");
    // A small cache spills pages while items run; a large one writes them all at commit.
    // SQLite reports EFBIG as SQLITE_IOERR_WRITE (778); Qt's commit error has no code.
    QTest::newRow("inside an item") << 300 << 20 << "failed, batch undone" << "[778]";
    QTest::newRow("at commit") << 100 << 0 << "commit failed" << "disk I/O error";
}

void tst_StoreFaults::writesFailingAtTheFileSizeLimit()
{
    QFETCH(int, batch);
    QFETCH(int, cachePages);
    QFETCH(QString, logLine);
    QFETCH(QString, error);
    StoreFixture store;
    const ChildRun run = runChild(childArguments(store, 40, batch, cachePages, "fsize"));
    QVERIFY2(run.status == QProcess::NormalExit && run.code == 0, qPrintable(run.output));
    QVERIFY2(run.output.contains("batch: failed"), qPrintable(run.output));
    QVERIFY2(run.output.contains("rows: unchanged"), qPrintable(run.output));
    QVERIFY2(run.output.contains(logLine), qPrintable(run.output));
    QVERIFY2(run.output.contains(error), qPrintable(run.output));

    QCOMPARE(rowsAtNextStart(store), expectedRows(40, 0));
    QCOMPARE(plainIntegrity(store.databasePath()), QString("ok"));
}

void tst_StoreFaults::killedInsideABatch_data()
{
    QTest::addColumn<int>("batch");
    QTest::addColumn<int>("cachePages");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<bool>("spilled");
    // In its last item, after pages have spilled into data.db.
    QTest::newRow("inside an item") << 300 << 20 << "stall-item" << "stalled in item" << true;
    // In the commit, with part of the pages written over data.db.
    QTest::newRow("inside the commit") << 200 << 0 << "stall-write:20" << "stalled at write 20" << false;
}

void tst_StoreFaults::killedInsideABatch()
{
    QFETCH(int, batch);
    QFETCH(int, cachePages);
    QFETCH(QString, fault);
    QFETCH(QString, marker);
    QFETCH(bool, spilled);
    StoreFixture store;
    const ChildRun run = killWhenStalled(childArguments(store, 40, batch, cachePages, fault), marker);
    QVERIFY2(run.output.contains(marker), qPrintable(run.output));
    QCOMPARE(run.status, QProcess::CrashExit);
    QCOMPARE(run.code, int(SIGKILL));
    // The kill left a half-written transaction that the next open must undo.
    QVERIFY(QFileInfo(store.databasePath() + "-journal").size() > 0);
    if (spilled)
        QVERIFY(QFileInfo(store.databasePath()).size() > committedSize(run.output));

    QCOMPARE(rowsAtNextStart(store), expectedRows(40, 0));
    QCOMPARE(plainIntegrity(store.databasePath()), QString("ok"));
    QVERIFY(!QFileInfo::exists(store.databasePath() + "-journal"));
}

void tst_StoreFaults::everyFailingWriteUndoesTheBatch_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("code");
    QTest::newRow("one write fails (I/O error)") << "sweep" << "[778]";
    QTest::newRow("the disk stays full until the batch gave up") << "sweep-full" << "[13]";
}

void tst_StoreFaults::everyFailingWriteUndoesTheBatch()
{
    QFETCH(QString, fault);
    QFETCH(QString, code);
    StoreFixture store;
    // Small rows and a three-page cache: few writes per batch, some of them while items run.
    const ChildRun run = runChild(childArguments(store, 10, 10, 3, fault));
    QVERIFY2(run.status == QProcess::NormalExit && run.code == 0, qPrintable(run.output));
    QVERIFY2(run.output.contains("mismatches: 0"), qPrintable(run.output));
    QVERIFY2(run.output.contains(code), qPrintable(run.output));
    for (const char *batch : {"statuses", "read marks", "insert"}) {
        const QRegularExpressionMatch sweep =
            QRegularExpression(QString("sweep %1: (\\d+) failing writes").arg(batch)).match(run.output);
        QVERIFY2(sweep.hasMatch() && sweep.captured(1).toInt() > 0, qPrintable(run.output));
    }
    // Each sweep ends with a run that meets no fault and commits.
    QCOMPARE(rowsAtNextStart(store), expectedRows(10, 10));
    QCOMPARE(plainIntegrity(store.databasePath()), QString("ok"));
}

QTEST_GUILESS_MAIN(tst_StoreFaults)
#include "tst_StoreFaults.moc"
