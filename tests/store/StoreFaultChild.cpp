// The process that store_tst_StoreFaults lets fail: it opens a store, commits messages,
// then runs one batch under a fault and reports what the store said.
#include "FaultBatch.h"
#include "FaultyVfs.h"
#include "store/CLocalDataBase.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

#include <sqlite3.h>

#include <csignal>
#include <cstdio>
#include <functional>

#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString kAccount = QStringLiteral("alice");

void say(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// Every row, every column: what a failed batch must leave exactly as it was.
QString snapshot(const QSqlDatabase &db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT * FROM msgrecord ORDER BY id")))
        return QStringLiteral("<error %1>").arg(query.lastError().text());
    QStringList rows;
    while (query.next()) {
        QStringList columns;
        for (int c = 0; c < query.record().count(); ++c)
            columns << query.value(c).toString();
        rows << columns.join(QLatin1Char('|'));
    }
    QSqlQuery check(db);
    if (!check.exec(QStringLiteral("PRAGMA quick_check")) || !check.next())
        return QStringLiteral("<quick_check error %1>").arg(check.lastError().text());
    if (check.value(0).toString() != QLatin1String("ok"))
        return QStringLiteral("<quick_check %1>").arg(check.value(0).toString());
    return rows.join(QLatin1Char('\n'));
}

bool run(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery query(db);
    if (query.exec(sql))
        return true;
    say(QStringLiteral("setup failed: %1: %2").arg(sql, query.lastError().text()));
    return false;
}

void stallFunction(sqlite3_context *context, int, sqlite3_value **)
{
    say(QStringLiteral("stalled in item"));
    for (;;)
        ::pause();
    sqlite3_result_null(context);
}

// Stalls the batch inside its last item, through a function a temporary trigger calls.
bool stallAtItem(const QSqlDatabase &db, const QString &id)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) {
        say(QStringLiteral("setup failed: no sqlite3 handle"));
        return false;
    }
    sqlite3 *connection = *static_cast<sqlite3 *const *>(handle.constData());
    if (sqlite3_create_function_v2(connection, "fault_stall", 0, SQLITE_UTF8, nullptr, stallFunction, nullptr,
                                   nullptr, nullptr)
        != SQLITE_OK) {
        say(QStringLiteral("setup failed: %1").arg(QString::fromUtf8(sqlite3_errmsg(connection))));
        return false;
    }
    return run(db, QStringLiteral("CREATE TEMP TRIGGER fault_stall AFTER INSERT ON main.msgrecord "
                                  "WHEN NEW.id = '%1' BEGIN SELECT fault_stall(); END")
                       .arg(id));
}

// Writes meet the file size limit a little above the file's current size. SIGXFSZ is
// ignored so that write() fails with EFBIG instead of ending the process.
int underFileSizeLimit(const QSqlDatabase &db, const QString &path, const std::function<bool()> &batch)
{
    std::signal(SIGXFSZ, SIG_IGN);
    const QString before = snapshot(db);
    rlimit old = {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit limited = old;
    limited.rlim_cur = rlim_t(QFileInfo(path).size() + 2 * 4096);
    if (::setrlimit(RLIMIT_FSIZE, &limited) != 0) {
        say(QStringLiteral("setup failed: setrlimit"));
        return 3;
    }
    const bool ok = batch();
    ::setrlimit(RLIMIT_FSIZE, &old);
    say(ok ? QStringLiteral("batch: succeeded") : QStringLiteral("batch: failed"));
    say(snapshot(db) == before ? QStringLiteral("rows: unchanged") : QStringLiteral("rows: changed"));
    return 0;
}

// Fails write 1, 2, 3, ... of the batch, one run each, until a run meets no fault. Every
// failed run must report false and leave the rows as they were; the last run commits.
int sweep(const QSqlDatabase &db, const QString &name, FaultyVfs::Fault fault, int errorCode,
          const std::function<bool()> &batch)
{
    const QString before = snapshot(db);
    int mismatches = 0;
    for (int write = 1; write < 5000; ++write) {
        FaultyVfs::arm(fault, write, FaultyVfs::AnyFile, errorCode);
        const bool ok = batch();
        const bool fired = FaultyVfs::fired();
        FaultyVfs::disarm();
        if (!fired) {
            if (!ok) {
                say(QStringLiteral("mismatch %1: failed without a fault").arg(name));
                return mismatches + 1;
            }
            say(QStringLiteral("sweep %1: %2 failing writes, then committed").arg(name).arg(write - 1));
            return mismatches;
        }
        if (ok) {
            say(QStringLiteral("mismatch %1 write %2: reported success").arg(name).arg(write));
            return mismatches + 1;
        }
        if (snapshot(db) != before) {
            say(QStringLiteral("mismatch %1 write %2: rows changed").arg(name).arg(write));
            ++mismatches;
        }
    }
    say(QStringLiteral("mismatch %1: the batch never ran without a fault").arg(name));
    return mismatches + 1;
}

} // namespace

// lumio_store_fault_child <root> <committed> <batch> <cache pages, 0 = default> <fault>
// fault: fsize | stall-item | stall-write:<n> | sweep | sweep-full
int main(int argc, char *argv[])
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s <root> <committed> <batch> <cache pages> <fault>\n", argv[0]);
        return 2;
    }
    QCoreApplication app(argc, argv);
    const QString root = QString::fromLocal8Bit(argv[1]);
    const int committed = QString::fromLatin1(argv[2]).toInt();
    const int batchSize = QString::fromLatin1(argv[3]).toInt();
    const int cachePages = QString::fromLatin1(argv[4]).toInt();
    const QString fault = QString::fromLatin1(argv[5]);
    const bool viaVfs = fault.startsWith(QLatin1String("stall-write")) || fault.startsWith(QLatin1String("sweep"));

    if (viaVfs && !FaultyVfs::install()) {
        say(QStringLiteral("setup failed: VFS not registered"));
        return 3;
    }
    if (!CLocalDataBase::Open(kAccount, root, true)) {
        say(QStringLiteral("setup failed: open"));
        return 3;
    }
    if (viaVfs && FaultyVfs::databaseOpens() == 0) {
        say(QStringLiteral("setup failed: the store's driver does not use the registered VFS"));
        return 3;
    }
    QSqlDatabase db = QSqlDatabase::database();
    // A small page cache makes a batch spill pages into data.db before its commit.
    if (cachePages > 0 && !run(db, QStringLiteral("PRAGMA cache_size = %1").arg(cachePages)))
        return 3;
    for (int i = 0; i < committed; i += 10) {
        if (!CLocalDataBase::InsertMessages(FaultBatch::messages(QStringLiteral("c"), i, qMin(10, committed - i)),
                                            db)) {
            say(QStringLiteral("setup failed: commit"));
            return 3;
        }
    }
    const QString path = root + QLatin1Char('/') + kAccount + QStringLiteral("/data.db");
    say(QStringLiteral("committed: %1 size: %2").arg(committed).arg(QFileInfo(path).size()));

    const QList<DBMessageSave> batch = FaultBatch::messages(QStringLiteral("b"), 0, batchSize);
    QList<MessageStatusItem> statuses;
    QStringList messageIds;
    for (const DBMessageSave &m : FaultBatch::messages(QStringLiteral("c"), 0, committed)) {
        statuses.append({m.unique_jid, m.messageid, QStringLiteral("delivered ") + m.id});
        messageIds << m.messageid;
    }
    const auto insert = [&] { return CLocalDataBase::InsertMessages(batch, db); };
    const auto updateStatuses = [&] { return CLocalDataBase::UpdateMessageStatuses(statuses, db); };
    const auto markRead = [&] { return CLocalDataBase::MarkMessagesRead(QStringLiteral("peer@x/pc"), messageIds, db); };

    if (fault == QLatin1String("fsize"))
        return underFileSizeLimit(db, path, insert);
    if (fault == QLatin1String("stall-item")) {
        if (!stallAtItem(db, batch.last().id))
            return 3;
        insert();
        say(QStringLiteral("batch returned"));
        return 4;
    }
    if (fault.startsWith(QLatin1String("stall-write:"))) {
        FaultyVfs::arm(FaultyVfs::Fault::Stall, fault.section(QLatin1Char(':'), 1).toInt(), FaultyVfs::MainDatabase, 0);
        insert();
        say(QStringLiteral("batch returned"));
        return 4;
    }
    if (fault == QLatin1String("sweep") || fault == QLatin1String("sweep-full")) {
        const bool full = fault == QLatin1String("sweep-full");
        const FaultyVfs::Fault kind = full ? FaultyVfs::Fault::FailFromThen : FaultyVfs::Fault::FailOnce;
        const int code = full ? SQLITE_FULL : SQLITE_IOERR_WRITE;
        int mismatches = sweep(db, QStringLiteral("statuses"), kind, code, updateStatuses);
        mismatches += sweep(db, QStringLiteral("read marks"), kind, code, markRead);
        mismatches += sweep(db, QStringLiteral("insert"), kind, code, insert);
        say(QStringLiteral("mismatches: %1").arg(mismatches));
        return mismatches == 0 ? 0 : 1;
    }
    say(QStringLiteral("unknown fault %1").arg(fault));
    return 2;
}
