#include "LogCapture.h"
#include "StoreFixture.h"
#include "store/SchemaText.h"

#include <QFile>
#include <QtTest>

class tst_CLocalDataBase : public QObject
{
    Q_OBJECT
private slots:
    void openCreatesFoldersFileAndSchema();
    void schemaTextsAreTheFileFormat();
    void openWithLoginOnly();
    void openRefusesUnusableAccounts();
    void openFailsWhenTheFolderCannotBeMade();
    void openTwiceChangesNothing();
    void reopeningAnotherAccountSwitchesTheHandle();

    void oldMessageTableIsBroughtUpToDate();
    void failedMigrationIsFinishedByTheNextOpen();
    void missingThirdIndexIsCreated();
    void latestFriendRewriteWithCollisions();
    void keyedTablesSurviveRewriteCollisions();
    void friendListWithoutDepartmentIsRebuilt();
    void friendListWithDepartmentKeepsRows();
    void unkeyedTablesRewriteEveryColumn();
    void migrationIsIdempotent();
    void testOperations();

    void checkHealthyAndAbsent();
    void checkUnusableAccount();
    void checkLeavesNoProbeRow();
    void checkGarbageFile();
    void checkTruncatedFile();
    void checkLockedFileCountsAsUsable();
    void checkWithoutMessageTable();
};

void tst_CLocalDataBase::openCreatesFoldersFileAndSchema()
{
    StoreFixture store;
    const QString base = store.root() + "/deep/er";
    QVERIFY(CLocalDataBase::Open("alice", base, true));
    const QString file = base + "/alice/data.db";
    QVERIFY(QFileInfo(file).isFile());
    CLocalDataBase::Close();

    QStringList expected;
    for (const SchemaText::Table &table : SchemaText::tables())
        expected << table.name;
    QCOMPARE(StoreFixture::rowsIn(file, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY rowid"),
             expected); // created in the schema's order
    QCOMPARE(expected.size(), 17);
    QCOMPARE(StoreFixture::rowsIn(file, "SELECT name || '=' || sql FROM sqlite_master "
                                        "WHERE type = 'index' AND sql IS NOT NULL ORDER BY rowid"),
             (QStringList{"msgrecord_index1=CREATE INDEX msgrecord_index1 on msgrecord(unique_jid)",
                          "msgrecord_index2=CREATE INDEX msgrecord_index2 on msgrecord(message_flag)",
                          "msgrecord_index3=CREATE INDEX msgrecord_index3 on msgrecord(messageid)",
                          "msgrecord_sender_index=CREATE INDEX msgrecord_sender_index on msgrecord(sender)",
                          "pubaccmsgtable_index1=CREATE INDEX pubaccmsgtable_index1 on pubaccmsgtable(unique_jid)"}));
}

void tst_CLocalDataBase::schemaTextsAreTheFileFormat()
{
    StoreFixture store;
    QVERIFY(store.open());
    QCOMPARE(store.createText("login"),
             QStringLiteral("CREATE TABLE login (account VARCHAR(100) primary key, trueAccount VARCHAR(100),"
                            "password VARCHAR(1000),showType INTEGER, isSavePassword INTEGER, isAutoLogin INTEGER, "
                            "photoUrl VARCHAR(100), loginTime VARCHAR(100),password2 VARCHAR(1000), "
                            "displayname VARCHAR(100), signature VARCHAR(100), empphonenum VARCHAR(100))"));
    QVERIFY(store.createText("msgrecord").startsWith(
        "CREATE TABLE msgrecord(id VARCHAR(20) PRIMARY KEY  , jid VARCHAR(100), unique_jid VARCHAR(100),"));
    QCOMPARE(store.createText("filereceviestatus"),
             QStringLiteral("CREATE TABLE filereceviestatus(fileid VARCHAR(20) PRIMARY KEY, status VARCHAR(100))"));
    QVERIFY(store.createText("mucrecord").contains("noticesubject VARCHAT(100)"));
    QVERIFY(store.createText("callhistoryrecord").contains("tataltime VARCHAR(32)"));
    const QStringList columns = store.rows("SELECT name || ' ' || type FROM pragma_table_info('msgrecord')");
    QCOMPARE(columns,
             (QStringList{"id VARCHAR(20)", "jid VARCHAR(100)", "unique_jid VARCHAR(100)", "sender VARCHAR(100)",
                          "time VARCHAR(100)", "font VARCHAR(100)", "content TEXT", "true_content TEXT",
                          "message_flag VARCHAR(20)", "title_color VARCHAR(20)", "message_type INT",
                          "extension1 VARCHAR(100)", "extension2 VARCHAR(100)", "extension3 VARCHAR(20)",
                          "videoRotate VARCHAR(5)", "messageid VARCHAR(100)", "receivetime VARCHAR(100)",
                          "readed INT", "senderJid VARCHAR(100)", "ztime VARCHAR(100)", "msgStatus VARCHAR(20)"}));
    QCOMPARE(store.value("PRAGMA synchronous"), QString("2")); // the raw connection's own setting
    QSqlQuery query(QSqlDatabase::database());
    QVERIFY(query.exec("PRAGMA synchronous") && query.next());
    QCOMPARE(query.value(0).toInt(), 0);
}

void tst_CLocalDataBase::openWithLoginOnly()
{
    StoreFixture store;
    QVERIFY(store.open("bob", false));
    QVERIFY(CLocalDataBase::TableExists("login"));
    QVERIFY(!CLocalDataBase::TableExists("msgrecord"));
}

void tst_CLocalDataBase::openRefusesUnusableAccounts()
{
    StoreFixture store;
    LogCapture log;
    for (const QString &account : {QString(), QString(""), QString("  "), QString("../x"), QString("a/b")}) {
        QVERIFY2(!CLocalDataBase::Open(account, store.root(), true), qPrintable(account));
        QVERIFY(!QFileInfo::exists(store.root() + "/data.db"));
        QVERIFY(!QFileInfo::exists(store.root() + "/../x/data.db"));
    }
    QVERIFY(log.contains("no account folder"));
    QVERIFY(!CLocalDataBase::TableExists("login")); // nothing open: every query fails
}

void tst_CLocalDataBase::openFailsWhenTheFolderCannotBeMade()
{
    StoreFixture store;
    QVERIFY(TestEnvironment::writeText(store.root() + "/file", "x"));
    LogCapture log;
    QVERIFY(!CLocalDataBase::Open("alice", store.root() + "/file", true));
    QVERIFY(log.contains("cannot create"));
    // A folder where data.db should be.
    QVERIFY(QDir().mkpath(store.root() + "/carol/data.db"));
    QVERIFY(!CLocalDataBase::Open("carol", store.root(), true));
}

void tst_CLocalDataBase::openTwiceChangesNothing()
{
    StoreFixture store;
    QVERIFY(store.open());
    QVERIFY(store.exec("INSERT INTO msgrecord (id, unique_jid, time) VALUES ('m1', 'peer@x', '2014-05-06 07:08:09')"));
    const QStringList schema = store.rows("SELECT type, name, tbl_name, sql FROM sqlite_master ORDER BY name");
    const QStringList data = store.rows("SELECT * FROM msgrecord");
    store.closeRaw();
    QVERIFY(store.open());
    QCOMPARE(store.rows("SELECT type, name, tbl_name, sql FROM sqlite_master ORDER BY name"), schema);
    QCOMPARE(store.rows("SELECT * FROM msgrecord"), data);
    QCOMPARE(QSqlDatabase::connectionNames().count(QLatin1String(QSqlDatabase::defaultConnection)), 1);
}

void tst_CLocalDataBase::reopeningAnotherAccountSwitchesTheHandle()
{
    StoreFixture store;
    const auto accounts = [] {
        QStringList names;
        QSqlQuery query(QSqlDatabase::database());
        query.exec("SELECT account FROM login");
        while (query.next())
            names << query.value(0).toString();
        return names;
    };
    QVERIFY(store.open("alice"));
    QVERIFY(QSqlQuery(QSqlDatabase::database()).exec("INSERT INTO login (account) VALUES ('only-alice')"));
    QVERIFY(store.open("bob"));
    QCOMPARE(accounts(), QStringList());
    QVERIFY(store.open("alice"));
    QCOMPARE(accounts(), QStringList{"only-alice"});
}

void tst_CLocalDataBase::oldMessageTableIsBroughtUpToDate()
{
    StoreFixture store;
    QVERIFY(store.exec("CREATE TABLE msgrecord(id VARCHAR(20) PRIMARY KEY, jid VARCHAR(100), unique_jid "
                       "VARCHAR(100), sender VARCHAR(100), time VARCHAR(100), font VARCHAR(100), content TEXT, "
                       "true_content TEXT, message_flag VARCHAR(20), title_color VARCHAR(20))"));
    QVERIFY(store.exec("INSERT INTO msgrecord VALUES ('1', 'a@x', 'aer02@x/c', 's', '2013-01-02 03:04:05', 'f', "
                       "'<b>hi</b>', 'hi', 'C', 'red')"));
    QVERIFY(store.exec("INSERT INTO msgrecord VALUES ('2', 'b@x', 'b@x/c', 's', '2013-02-02 03:04:05', 'f', "
                       "'yo', 'yo', 'C', 'red')"));
    store.closeRaw();
    QVERIFY(store.open());
    QCOMPARE(store.rows("SELECT name FROM pragma_table_info('msgrecord')").size(), 21);
    QCOMPARE(store.rows("SELECT id, readed, receivetime, unique_jid FROM msgrecord ORDER BY id"),
             (QStringList{"1|1|2013-01-02 03:04:05|aer01@x/c", "2|1|2013-02-02 03:04:05|b@x/c"}));
    QCOMPARE(store.rows("SELECT name FROM sqlite_master WHERE type = 'index' AND name LIKE 'msgrecord_index%' "
                        "ORDER BY name"),
             (QStringList{"msgrecord_index1", "msgrecord_index2", "msgrecord_index3"}));
}

void tst_CLocalDataBase::failedMigrationIsFinishedByTheNextOpen()
{
    StoreFixture store;
    QVERIFY(store.exec("CREATE TABLE msgrecord(id VARCHAR(20) PRIMARY KEY, jid VARCHAR(100), unique_jid "
                       "VARCHAR(100), sender VARCHAR(100), time VARCHAR(100), true_content TEXT)"));
    QVERIFY(store.exec("INSERT INTO msgrecord (id, time) VALUES ('1', '2013-01-02 03:04:05')"));
    // An old login table without most of its columns (only the migrated three were ever added).
    QVERIFY(store.exec("CREATE TABLE login (account VARCHAR(100) primary key, password VARCHAR(1000))"));
    // Stands for a fill that fails half-way (disk full, the process killed).
    QVERIFY(store.exec("CREATE TRIGGER nofill BEFORE UPDATE ON msgrecord BEGIN SELECT RAISE(ABORT, 'no'); END"));
    store.closeRaw();
    QVERIFY(store.open());
    QVERIFY(!store.rows("SELECT name FROM pragma_table_info('msgrecord')").contains("readed"));
    QVERIFY(!store.rows("SELECT name FROM pragma_table_info('msgrecord')").contains("receivetime"));
    QVERIFY(store.exec("DROP TRIGGER nofill"));
    store.closeRaw();
    QVERIFY(store.open());
    QCOMPARE(store.rows("SELECT readed, receivetime FROM msgrecord"), QStringList{"1|2013-01-02 03:04:05"});
    // Every table has every column a fresh data.db has.
    QStringList upgraded;
    for (const SchemaText::Table &table : SchemaText::tables())
        upgraded << table.name + ": " + store.rows("SELECT lower(name) FROM pragma_table_info('" + table.name
                                                   + "') ORDER BY 1").join(',');
    store.closeRaw();
    QVERIFY(store.open("bob"));
    store.raw("bob");
    QStringList fresh;
    for (const SchemaText::Table &table : SchemaText::tables())
        fresh << table.name + ": " + store.rows("SELECT lower(name) FROM pragma_table_info('" + table.name
                                                + "') ORDER BY 1").join(',');
    QCOMPARE(upgraded, fresh);
}

void tst_CLocalDataBase::missingThirdIndexIsCreated()
{
    StoreFixture store;
    QVERIFY(store.open());
    QVERIFY(store.exec("DROP INDEX msgrecord_index3"));
    store.closeRaw();
    QVERIFY(store.open());
    QCOMPARE(store.createText("msgrecord_index3"), QString("CREATE INDEX msgrecord_index3 on msgrecord(messageid)"));
}

void tst_CLocalDataBase::latestFriendRewriteWithCollisions()
{
    StoreFixture store;
    QVERIFY(store.exec("CREATE TABLE latestfriend (jid VARCHAR(100) primary key, displayname VARCHAR(100), "
                       "icon VARCHAR(100), signature VARCHAR(100), time VARCHAR(100))"));
    const QStringList rows{"'aer01@x', 'Zhang'", "'aer02@x', 'Zhang'", // same name: the er02 one goes
                           "'ber02@x', 'Li'",                          // lone: rewritten
                           "'cer01@x', 'Wang'", "'cer02@x', 'Wang2'",  // different names: key collision
                           "NULL, 'Nobody'", "'dER02@x', 'Upper'"};    // REPLACE is case-sensitive
    for (const QString &row : rows)
        QVERIFY(store.exec("INSERT INTO latestfriend (jid, displayname) VALUES (" + row + ")"));
    store.closeRaw();
    QVERIFY(store.open());
    QCOMPARE(store.rows("SELECT jid, displayname, isemployee FROM latestfriend ORDER BY jid"),
             (QStringList{"aer01@x|Zhang|1", "ber01@x|Li|1", "cer01@x|Wang|1", "dER02@x|Upper|1"}));
    QVERIFY(store.createText("latestfriend").contains("onjob VARCHAR(100)"));
}

void tst_CLocalDataBase::keyedTablesSurviveRewriteCollisions()
{
    StoreFixture store;
    QVERIFY(store.exec("CREATE TABLE deletedfriend (jid VARCHAR(100) primary key, displayname VARCHAR(100), "
                       "username VARCHAR(100), time VARCHAR(100))"));
    QVERIFY(store.exec("INSERT INTO deletedfriend (jid, displayname) VALUES ('aer01@x', 'kept'), "
                       "('aer02@x', 'dropped'), ('ber02@x', 'lone'), ('xer02er01@x', 'pairA'), "
                       "('xer01er02@x', 'pairB')"));
    QVERIFY(store.exec(SchemaText::createTable("msglist")));
    QVERIFY(store.exec("INSERT INTO msglist (jid, msg1) VALUES ('mer01@x', 'kept'), ('mer02@x', 'dropped'), "
                       "('grer02@x', 'second pass collides'), ('ger01@x', 'kept too'), ('hrer02@x', 'lone')"));
    store.closeRaw();
    QVERIFY(store.open());
    QCOMPARE(store.rows("SELECT jid, displayname, isemployee FROM deletedfriend ORDER BY jid"),
             (QStringList{"aer01@x|kept|1", "ber01@x|lone|1", "xer01er01@x|pairA|1"}));
    QVERIFY(store.createText("deletedfriend").contains("icon VARCHAR(100)"));
    QCOMPARE(store.rows("SELECT jid, msg1 FROM msglist ORDER BY jid"),
             (QStringList{"ger01@x|kept too", "her01@x|lone", "mer01@x|kept"}));
}

void tst_CLocalDataBase::friendListWithoutDepartmentIsRebuilt()
{
    for (const QString &columns : {QString("(jid VARCHAR(100) primary key, groupname VARCHAR(100))"),
                                   QString("(jid VARCHAR(100) primary key, department VARCHAR(100))")}) {
        StoreFixture store;
        QVERIFY(store.exec("CREATE TABLE friendlist " + columns));
        QVERIFY(store.exec("INSERT INTO friendlist (jid) VALUES ('aer02@x')"));
        store.closeRaw();
        QVERIFY(store.open());
        QCOMPARE(store.createText("friendlist"), SchemaText::createTable("friendlist"));
        QCOMPARE(store.rows("SELECT * FROM friendlist"), QStringList());
    }
}

void tst_CLocalDataBase::friendListWithDepartmentKeepsRows()
{
    StoreFixture store;
    QVERIFY(store.exec("CREATE TABLE friendlist (jid VARCHAR(100) primary key, nickname VARCHAR(100), "
                       "groupname VARCHAR(100), department VARCHAR(100))"));
    QVERIFY(store.exec("INSERT INTO friendlist (jid, nickname) VALUES ('aer01@x', 'one'), ('aer02@x', 'two'), "
                       "('ber02@x', 'three')"));
    store.closeRaw();
    QVERIFY(store.open());
    QCOMPARE(store.rows("SELECT jid, nickname, isemployee, onjob, leaderid FROM friendlist ORDER BY jid"),
             (QStringList{"aer01@x|one|1|<null>|<null>", "ber01@x|three|1|<null>|<null>"}));
    for (const char *column : {"leadername", "worklocation"})
        QVERIFY(store.createText("friendlist").contains(column));
}

void tst_CLocalDataBase::unkeyedTablesRewriteEveryColumn()
{
    StoreFixture store;
    QVERIFY(store.exec(SchemaText::createTable("requesttable")));
    QVERIFY(store.exec("INSERT INTO requesttable (id, jid, unique_jid, sender, receiver) VALUES "
                       "('r1', 'aer02', 'uer02', 'ser02', 'rer02'), ('r2', 'aer01', 'ver02', 'x', 'y')"));
    QVERIFY(store.exec("CREATE TABLE mucrecord (jid VARCHAR(100) , roomJid VARCHAR(100),roomName VARCHAR(100),"
                       "ownerJid VARCHAR(100))"));
    QVERIFY(store.exec("INSERT INTO mucrecord VALUES ('jer02', 'roomer02', 'n', 'ower02'), "
                       "('jer02', 'roomer02', 'n', 'ower02')"));
    QVERIFY(store.exec("CREATE TABLE callhistoryrecord (recordid VARCHAR(100), icontype VARCHAR(10))"));
    store.closeRaw();
    QVERIFY(store.open());
    QCOMPARE(store.rows("SELECT id, jid, unique_jid, sender, receiver FROM requesttable ORDER BY id"),
             (QStringList{"r1|aer01|uer01|ser01|rer01", "r2|aer01|ver01|x|y"}));
    QCOMPARE(store.rows("SELECT jid, roomJid, ownerJid FROM mucrecord"),
             (QStringList{"jer01|roomer01|ower01", "jer01|roomer01|ower01"}));
    QCOMPARE(store.rows("SELECT name FROM pragma_table_info('mucrecord')").size(), 14);
    QVERIFY(store.createText("mucrecord").contains("noticesubject VARCHAR(100)"));
    QVERIFY(store.createText("callhistoryrecord").contains("jid VARCHAR(100)"));
}

void tst_CLocalDataBase::migrationIsIdempotent()
{
    StoreFixture store;
    QVERIFY(store.exec("CREATE TABLE latestfriend (jid VARCHAR(100) primary key, displayname VARCHAR(100))"));
    QVERIFY(store.exec("INSERT INTO latestfriend VALUES ('aer01', 'p'), ('aer02', 'q'), ('ber02', 'r')"));
    store.closeRaw();
    QVERIFY(store.open());
    const QStringList once = store.rows("SELECT * FROM latestfriend ORDER BY jid");
    const QStringList schema = store.rows("SELECT sql FROM sqlite_master ORDER BY name");
    store.closeRaw();
    QVERIFY(store.open());
    QCOMPARE(store.rows("SELECT * FROM latestfriend ORDER BY jid"), once);
    QCOMPARE(store.rows("SELECT sql FROM sqlite_master ORDER BY name"), schema);
    QCOMPARE(store.value("SELECT count(*) FROM latestfriend WHERE jid LIKE '%er02%'"), QString("0"));
}

void tst_CLocalDataBase::testOperations()
{
    StoreFixture store;
    QVERIFY(store.open());
    QVERIFY(CLocalDataBase::TableExists("login"));
    QVERIFY(!CLocalDataBase::TableExists("nosuch"));
    QVERIFY(!CLocalDataBase::TableExists("login' OR '1'='1"));
    QVERIFY(CLocalDataBase::ColumnExists("msgrecord", "videoRotate"));
    QVERIFY(CLocalDataBase::ColumnExists("msgrecord", "Rotate")); // a substring test, as it always was
    QVERIFY(!CLocalDataBase::ColumnExists("msgrecord", "nosuch"));
    QVERIFY(!CLocalDataBase::ColumnHasEr02("latestfriend", "jid"));
    QVERIFY(store.exec("INSERT INTO latestfriend (jid) VALUES ('xer02')"));
    QVERIFY(CLocalDataBase::ColumnHasEr02("latestfriend", "jid"));
    QVERIFY(!CLocalDataBase::ColumnHasEr02("latestfriend; DROP TABLE login", "jid"));
    QVERIFY(CLocalDataBase::TableExists("login"));
    QVERIFY(CLocalDataBase::SchemaMentions("friendlist", "department"));
    QVERIFY(!CLocalDataBase::SchemaMentions("friendlist", "nosuch"));
    QVERIFY(CLocalDataBase::DropTable("grouptable"));
    QVERIFY(!CLocalDataBase::TableExists("grouptable"));
    QVERIFY(!CLocalDataBase::DropTable("grouptable"));
    CLocalDataBase::CreateAllTables();
    QVERIFY(CLocalDataBase::TableExists("grouptable"));
}

void tst_CLocalDataBase::checkHealthyAndAbsent()
{
    StoreFixture store;
    QVERIFY(CLocalDataBase::CheckDatabase("never", store.root(), true));
    QVERIFY(CLocalDataBase::CheckDatabase("never", store.root(), false));
    QVERIFY(!QFileInfo::exists(store.root() + "/never"));
    QVERIFY(store.open());
    QVERIFY(CLocalDataBase::CheckDatabase("alice", store.root(), true));
    QVERIFY(CLocalDataBase::CheckDatabase("alice", store.root(), false));
    QVERIFY(!QSqlDatabase::contains("my_sql_db"));
}

void tst_CLocalDataBase::checkUnusableAccount()
{
    StoreFixture store;
    QVERIFY(QDir().mkpath(store.root()));
    QVERIFY(TestEnvironment::writeText(store.root() + "/data.db", "garbage garbage garbage garbage"));
    LogCapture log;
    QVERIFY(CLocalDataBase::CheckDatabase("", store.root(), true));
    QVERIFY(CLocalDataBase::CheckDatabase(QString(), store.root(), false));
    QVERIFY(log.contains("no account folder"));
}

void tst_CLocalDataBase::checkLeavesNoProbeRow()
{
    StoreFixture store;
    QVERIFY(store.open());
    QVERIFY(CLocalDataBase::CheckDatabase("alice", store.root(), false));
    QCOMPARE(store.value("SELECT count(*) FROM msgrecord"), QString("0"));
    QVERIFY(store.exec("INSERT INTO msgrecord (id) VALUES ('checkid')")); // left by an earlier version
    QVERIFY(CLocalDataBase::CheckDatabase("alice", store.root(), false));
    QCOMPARE(store.value("SELECT count(*) FROM msgrecord"), QString("0"));
}

void tst_CLocalDataBase::checkGarbageFile()
{
    StoreFixture store;
    QVERIFY(QDir().mkpath(store.root() + "/alice"));
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(char((i * 7919) % 251));
    QVERIFY(TestEnvironment::writeText(store.databasePath(), garbage));
    LogCapture log;
    QVERIFY(!CLocalDataBase::CheckDatabase("alice", store.root(), false));
    QVERIFY(!CLocalDataBase::CheckDatabase("alice", store.root(), true));
    QVERIFY(!QSqlDatabase::contains("my_sql_db"));
    // Opening it fails (log-in must not go on with a dead store) and changes nothing.
    QVERIFY(!CLocalDataBase::Open("alice", store.root(), true));
    QVERIFY(log.contains("no usable database"));
    QVERIFY(!CLocalDataBase::TableExists("login"));
    QCOMPARE(TestEnvironment::readText(store.databasePath()), garbage);
}

void tst_CLocalDataBase::checkTruncatedFile()
{
    StoreFixture store;
    QVERIFY(store.open());
    CLocalDataBase::Close();
    QVERIFY(store.exec("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 2999) "
                       "INSERT INTO msgrecord (id, unique_jid, true_content) SELECT i, 'peer' || (i % 17), "
                       "printf('message number %d with some padding text, repeated to fill pages', i) FROM n"));
    store.closeRaw();
    QFile file(store.databasePath());
    QVERIFY(file.resize(file.size() / 2 + 100));
    QVERIFY(!CLocalDataBase::CheckDatabase("alice", store.root(), true));
    QVERIFY(!CLocalDataBase::CheckDatabase("alice", store.root(), false));
    const qint64 size = file.size();
    QVERIFY(!CLocalDataBase::Open("alice", store.root(), true));
    QCOMPARE(QFileInfo(store.databasePath()).size(), size);
}

void tst_CLocalDataBase::checkLockedFileCountsAsUsable()
{
    StoreFixture store;
    QVERIFY(store.open());
    CLocalDataBase::Close();
    QVERIFY(store.exec("BEGIN EXCLUSIVE"));
    QVERIFY(store.exec("INSERT INTO login (account) VALUES ('locker')"));
    LogCapture log;
    QElapsedTimer timer;
    timer.start();
    QVERIFY(CLocalDataBase::CheckDatabase("alice", store.root(), false));
    QVERIFY(CLocalDataBase::CheckDatabase("alice", store.root(), true));
    QVERIFY(log.contains("not possible now"));
    QVERIFY(timer.elapsed() < 3000);
    QVERIFY(store.exec("ROLLBACK"));
    QCOMPARE(store.value("SELECT count(*) FROM msgrecord"), QString("0"));
}

void tst_CLocalDataBase::checkWithoutMessageTable()
{
    StoreFixture store;
    QVERIFY(store.open("alice", false));
    QVERIFY(CLocalDataBase::CheckDatabase("alice", store.root(), false));
}

QTEST_GUILESS_MAIN(tst_CLocalDataBase)
#include "tst_CLocalDataBase.moc"
