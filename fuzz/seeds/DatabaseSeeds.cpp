// Writes data.db files as the store makes them, and as older versions left
// them, into the folder given: the database target's seed corpus.
#include "store/CLocalDataBase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>

namespace {

DBMessageSave message(int n, int type)
{
    DBMessageSave msg;
    msg.message_flag = n % 3 ? QStringLiteral("C") : QStringLiteral("G");
    msg.jid = QStringLiteral("bob@x");
    msg.unique_jid = n % 2 ? QStringLiteral("bob@x/pc") : QStringLiteral("roomer02@x/bob");
    msg.sender = n % 2 ? QStringLiteral("bob@x") : QStringLiteral("alice@x");
    msg.content = QStringLiteral("<b>第%1条</b> 50% o'clock").arg(n);
    msg.true_content = QStringLiteral("第%1条 50% o'clock").arg(n);
    msg.time = QStringLiteral("2026-01-%1 00:00:00").arg(n % 28 + 1, 2, 10, QLatin1Char('0'));
    msg.id = msg.messageid = QStringLiteral("m%1").arg(n);
    msg.message_type = type;
    msg.readed = n % 2;
    return msg;
}

// Raw SQL on a file of its own, the way older versions and other programs write it.
bool raw(const QString &path, const QStringList &statements)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("seed"));
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery query(db);
        for (const QString &sql : statements)
            ok = query.exec(sql) && ok;
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("seed"));
    return ok;
}

bool current(const QString &root, bool fullSchema)
{
    if (!CLocalDataBase::Open(QStringLiteral("alice"), root, fullSchema))
        return false;
    LoginInfo login;
    login.account = QStringLiteral("alice");
    login.trueAccount = QStringLiteral("alice@x");
    login.password = QStringLiteral("p'w");
    CLocalDataBase::SaveLoginInfo(login);
    if (fullSchema) {
        for (int n = 0; n < 24; ++n)
            CLocalDataBase::InsertMessage(message(n, n % 22));
    }
    CLocalDataBase::Close();
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    const auto save = [&](const QString &from, const QString &name, char mode) {
        QFile source(from);
        QFile target(out + QLatin1Char('/') + name);
        if (!source.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly))
            return false;
        target.write(QByteArray(1, mode) + source.readAll());
        return true;
    };

    int failures = 0;
    for (bool full : {true, false}) {
        QTemporaryDir dir;
        failures += !current(dir.path(), full);
        // Small pages keep the seed small, so the fuzzer can afford to mutate all of it.
        failures += !raw(dir.filePath(QStringLiteral("alice/data.db")),
                         {QStringLiteral("PRAGMA page_size=512"), QStringLiteral("VACUUM")});
        failures += !save(dir.filePath(QStringLiteral("alice/data.db")),
                          full ? QStringLiteral("current.db") : QStringLiteral("login-only.db"), 7);
    }
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("old.db"));
        failures += !raw(path, {
            QStringLiteral("PRAGMA page_size=512"),
            QStringLiteral("CREATE TABLE msgrecord(id VARCHAR(20) PRIMARY KEY, jid VARCHAR(100), unique_jid "
                           "VARCHAR(100), sender VARCHAR(100), time VARCHAR(100), font VARCHAR(100), content TEXT, "
                           "true_content TEXT, message_flag VARCHAR(20), title_color VARCHAR(20))"),
            QStringLiteral("INSERT INTO msgrecord VALUES ('1', 'a@x', 'aer02@x/c', 's', '2013-01-02 03:04:05', "
                           "'f', '<b>hi</b>', 'hi', 'C', 'red')"),
            QStringLiteral("CREATE TABLE friendlist (jid VARCHAR(100) primary key, groupname VARCHAR(100))"),
            QStringLiteral("INSERT INTO friendlist (jid) VALUES ('aer02@x')"),
            QStringLiteral("CREATE TABLE latestfriend (jid VARCHAR(100) primary key, name VARCHAR(100))"),
            QStringLiteral("INSERT INTO latestfriend VALUES ('aer01@x', 'Zhang'), ('aer02@x', 'Zhang'), "
                           "('ber02@x', 'Li')"),
            QStringLiteral("CREATE TABLE msglist (jid VARCHAR(100) primary key, msg1 TEXT)"),
            QStringLiteral("INSERT INTO msglist VALUES ('mer01@x', 'kept'), ('mer02@x', 'dropped')"),
        });
        failures += !save(path, QStringLiteral("old-schema.db"), 7);
    }
    std::printf("%d seed files written to %s\n", failures ? -1 : 3, argv[1]);
    return failures ? 1 : 0;
}
