#include "LogCapture.h"
#include "StoreFixture.h"

#include <QDateTime>
#include <QtTest>

namespace {

DBMessageSave fullMessage(const QString &id, int type)
{
    DBMessageSave m;
    m.message_flag = "C";
    m.jid = "peer@x";
    m.unique_jid = "peer@x/pc";
    m.content = "<p>content</p>";
    m.true_content = "content";
    m.sender = "me@x";
    m.font = "SimSun";
    m.time = "2014-05-06 07:08:09";
    m.ztime = "2014-05-06 07:08:09.123";
    m.title_color = "#112233";
    m.id = id;
    m.message_type = type;
    QString *attrs[] = {&m.attr1, &m.attr2, &m.attr3, &m.attr4, &m.attr5, &m.attr6, &m.attr7, &m.attr8,
                        &m.attr9, &m.attr10, &m.attr11, &m.attr12, &m.attr13, &m.attr14, &m.attr15, &m.attr16};
    for (int i = 0; i < 16; ++i)
        *attrs[i] = QString("a%1").arg(i + 1);
    m.messageid = "mid-" + id;
    m.receivetime = "2014-05-06 07:08:10.000";
    m.readed = 1;
    m.senderJid = "me@x/pc";
    m.msgStatus = "sent";
    return m;
}

QStringList attrsOf(const DBMessageSave &m)
{
    return {m.attr1, m.attr2, m.attr3, m.attr4, m.attr5, m.attr6, m.attr7, m.attr8,
            m.attr9, m.attr10, m.attr11, m.attr12, m.attr13, m.attr14, m.attr15, m.attr16};
}

DBMessageSave at(const QString &id, const QString &uniqueJid, const QString &time, const QString &flag = "C")
{
    DBMessageSave m;
    m.id = id;
    m.jid = uniqueJid.section('/', 0, 0);
    m.unique_jid = uniqueJid;
    m.time = time;
    m.message_flag = flag;
    m.messageid = "mid-" + id;
    return m;
}

} // namespace

class tst_MessageStore : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void roundTripPerType_data();
    void roundTripPerType();
    void nullTextsAreStoredAsEmptyTexts();
    void ztimeFallsBackToTime();
    void existingIdIsNotReplaced();
    void quotesAndInjectionAreData();
    void flatRowIsStoredColumnForColumn();
    void registeredForQueuedSignals();

    void extensionUpdates();
    void statusAndTimeUpdates();
    void readMarks();

    void batchInsertKeepsAllButConstraintFailures();
    void batchInsertUndoneOnOtherErrors();
    void batchStatusUpdates();
    void batchesUndoneWhenBusy();

    void lookups();
    void conversationLists();

    void deletesByConversationAndRange();
    void deletesByFlagAndRoom();
    void deletesOfOneMessage();

    void fileTables();
    void everythingFailsQuietlyWithoutDatabase();

private:
    StoreFixture *m_store = nullptr;
};

void tst_MessageStore::init()
{
    m_store = new StoreFixture;
    QVERIFY(m_store->open());
}

void tst_MessageStore::cleanup()
{
    delete m_store;
    m_store = nullptr;
}

void tst_MessageStore::roundTripPerType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("stored");   // extension1|extension2|extension3|videoRotate
    QTest::addColumn<QStringList>("back"); // attrs read back, the rest stays empty
    QTest::newRow("0") << 0 << "|||a6" << QStringList{};
    QTest::newRow("1") << 1 << "a13|a14|a5|a15" << QStringList{"a5", "a13", "a14", "a15"};
    QTest::newRow("14") << 14 << "a13|a14|a5|a15" << QStringList{"a5", "a13", "a14", "a15"};
    QTest::newRow("17") << 17 << "a13|a14|a5|a15" << QStringList{"a5", "a13", "a14", "a15"};
    QTest::newRow("2") << 2 << "a1|a2||a6" << QStringList{"a1", "a2"};
    QTest::newRow("3") << 3 << "a3|a7|a5|a6" << QStringList{"a3", "a5", "a7"};
    QTest::newRow("4") << 4 << "a3|a4|a5|a6" << QStringList{"a3", "a4", "a5", "a6"};
    QTest::newRow("5") << 5 << "a10|a9|a8|a6" << QStringList{"a8", "a9", "a10"};
    QTest::newRow("7") << 7 << "|||a6" << QStringList{};
    // Written from attr6, read into attr15.
    QTest::newRow("13") << 13 << "a11|a12|a5|a6" << QStringList{"a5", "a11", "a12", "a15=a6"};
    QTest::newRow("21") << 21 << "a11|a12|a5|a6" << QStringList{"a5", "a11", "a12", "a15=a6"};
    QTest::newRow("20") << 20 << "a16|||a6" << QStringList{"a16"};
}

void tst_MessageStore::roundTripPerType()
{
    QFETCH(int, type);
    QFETCH(QString, stored);
    QFETCH(QStringList, back);
    const DBMessageSave sent = fullMessage("m1", type);
    QVERIFY(CLocalDataBase::InsertMessage(sent));
    QCOMPARE(m_store->rows("SELECT extension1, extension2, extension3, videoRotate FROM msgrecord"),
             QStringList{stored});
    QCOMPARE(m_store->rows("SELECT receivetime, readed FROM msgrecord"), QStringList{"2014-05-06 07:08:10.000|1"});

    const DBMessageSave read = CLocalDataBase::MessageById("m1");
    QStringList expected(16);
    for (const QString &entry : back) {
        const int attr = entry.section('=', 0, 0).mid(1).toInt();
        expected[attr - 1] = entry.contains('=') ? entry.section('=', 1) : entry;
    }
    QCOMPARE(attrsOf(read), expected);
    QCOMPARE(read.id, sent.id);
    QCOMPARE(read.jid, sent.jid);
    QCOMPARE(read.unique_jid, sent.unique_jid);
    QCOMPARE(read.sender, sent.sender);
    QCOMPARE(read.time, sent.time);
    QCOMPARE(read.font, sent.font);
    QCOMPARE(read.content, sent.content);
    QCOMPARE(read.true_content, sent.true_content);
    QCOMPARE(read.message_flag, sent.message_flag);
    QCOMPARE(read.title_color, sent.title_color);
    QCOMPARE(read.message_type, type);
    QCOMPARE(read.messageid, sent.messageid);
    QCOMPARE(read.senderJid, sent.senderJid);
    QCOMPARE(read.ztime, sent.ztime);
    QCOMPARE(read.msgStatus, sent.msgStatus);
    QCOMPARE(read.receivetime, QString()); // never read back
    QCOMPARE(read.readed, 0);
}

void tst_MessageStore::nullTextsAreStoredAsEmptyTexts()
{
    DBMessageSave m;
    m.id = "bare";
    QVERIFY(CLocalDataBase::InsertMessage(m));
    QCOMPARE(m_store->value("SELECT count(*) FROM msgrecord WHERE jid IS NULL OR unique_jid IS NULL OR "
                            "content IS NULL OR true_content IS NULL OR extension1 IS NULL OR "
                            "videoRotate IS NULL OR ztime IS NULL OR msgStatus IS NULL"),
             QString("0"));
    QCOMPARE(CLocalDataBase::MessagesOfConversation(QString(), QString()).size(), 1);
}

void tst_MessageStore::ztimeFallsBackToTime()
{
    QVERIFY(m_store->exec("INSERT INTO msgrecord (id, time, ztime) VALUES ('a', '2014-05-06 07:08:09', ''), "
                          "('b', '2014-05-06 07:08:09', NULL), ('c', 'not a time', '')"));
    QCOMPARE(CLocalDataBase::MessageById("a").ztime, QString("2014-05-06 07:08:09.000"));
    QCOMPARE(CLocalDataBase::MessageById("b").ztime, QString("2014-05-06 07:08:09.000"));
    QCOMPARE(CLocalDataBase::MessageById("c").ztime, QString());
}

void tst_MessageStore::existingIdIsNotReplaced()
{
    QVERIFY(CLocalDataBase::InsertMessage(fullMessage("same", 0)));
    DBMessageSave other = fullMessage("same", 0);
    other.content = "replacement";
    QVERIFY(!CLocalDataBase::InsertMessage(other));
    QCOMPARE(CLocalDataBase::MessageById("same").content, QString("<p>content</p>"));
}

void tst_MessageStore::quotesAndInjectionAreData()
{
    DBMessageSave m = at("it's", "o'brien@x/pc", "2014-05-06 07:08:09");
    m.messageid = "mid'1";
    QVERIFY(CLocalDataBase::InsertMessage(m));
    QVERIFY(CLocalDataBase::InsertMessage(at("other", "b@x/pc", "2014-05-06 07:08:09")));
    QCOMPARE(CLocalDataBase::MessageById("it's").unique_jid, QString("o'brien@x/pc"));
    QVERIFY(CLocalDataBase::MessageExists("o'brien@x/pc", "mid'1", "C", false));
    QCOMPARE(idsOf(CLocalDataBase::MessagesOfConversation("o'brien@x", "/pc")), QStringList{"it's"});
    QVERIFY(CLocalDataBase::DeleteMessageById("x' OR '1'='1"));
    QVERIFY(CLocalDataBase::DeleteConversation("x' OR '1'='1", ""));
    QVERIFY(CLocalDataBase::DeleteMessagesByFlag("x' OR '1'='1", 0));
    QCOMPARE(m_store->value("SELECT count(*) FROM msgrecord"), QString("2"));
    QVERIFY(CLocalDataBase::DeleteMessage("it's", "o'brien@x/pc"));
    QCOMPARE(m_store->value("SELECT count(*) FROM msgrecord"), QString("1"));
}

void tst_MessageStore::flatRowIsStoredColumnForColumn()
{
    MessageRow row;
    row.id = "r";
    row.message_type = 1;
    row.extension1 = "e1";
    row.extension2 = "e2";
    row.extension3 = "e3";
    row.videoRotate = "90";
    row.receivetime = "rt";
    row.readed = 1;
    row.msgStatus = "st";
    QVERIFY(CLocalDataBase::InsertMessageRow(row));
    QCOMPARE(m_store->rows("SELECT message_type, extension1, extension2, extension3, videoRotate, receivetime, "
                           "readed, msgStatus, jid FROM msgrecord"),
             QStringList{"1|e1|e2|e3|90|rt|1|st|"});
    const DBMessageSave read = CLocalDataBase::MessageByVideoRotate("90");
    QCOMPARE(read.attr13, QString("e1"));
    QCOMPARE(read.attr15, QString("90"));
}

void tst_MessageStore::registeredForQueuedSignals()
{
    QVERIFY(QMetaType::fromName("DBMessageSave").isValid());
    QVariant carried = QVariant::fromValue(fullMessage("v", 4));
    QCOMPARE(carried.value<DBMessageSave>().attr4, QString("a4"));
}

void tst_MessageStore::extensionUpdates()
{
    QVERIFY(CLocalDataBase::InsertMessage(fullMessage("t3", 3)));
    DBMessageSave change = fullMessage("t3", 3);
    change.attr3 = "n3";
    change.attr7 = "n7";
    change.attr5 = "n5";
    QVERIFY(CLocalDataBase::UpdateExtensions(change));
    QCOMPARE(m_store->rows("SELECT extension1, extension2, extension3 FROM msgrecord WHERE id = 't3'"),
             QStringList{"n3|n7|n5"});
    change.message_type = 4;
    change.attr4 = "n4";
    QVERIFY(CLocalDataBase::UpdateExtensions(change));
    QCOMPARE(m_store->rows("SELECT extension1, extension2, extension3 FROM msgrecord WHERE id = 't3'"),
             QStringList{"n3|n4|n5"});
    change.message_type = 1;
    change.attr3 = "never";
    QVERIFY(!CLocalDataBase::UpdateExtensions(change));
    QCOMPARE(m_store->value("SELECT extension1 FROM msgrecord WHERE id = 't3'"), QString("n3"));
    QVERIFY(CLocalDataBase::UpdateExtension3("mid-t3", "x3"));
    QCOMPARE(m_store->value("SELECT extension3 FROM msgrecord WHERE id = 't3'"), QString("x3"));
}

void tst_MessageStore::statusAndTimeUpdates()
{
    QVERIFY(CLocalDataBase::InsertMessage(fullMessage("s", 0)));
    CLocalDataBase::UpdateMessageStatus("peer@x/pc", "mid-s", "read");
    QCOMPARE(CLocalDataBase::MessageStatus("peer@x/pc", "mid-s"), QString("read"));
    QCOMPARE(CLocalDataBase::MessageStatus("peer@x/pc", "no-such-id"), QString());
    CLocalDataBase::UpdateMessageStatus("other@x/pc", "mid-s", "wrong conversation");
    QCOMPARE(CLocalDataBase::MessageStatus("peer@x/pc", "mid-s"), QString("read"));

    QVERIFY(CLocalDataBase::UpdateMessageTime("peer@x/pc", "mid-s", "2020-01-02 03:04:05.678"));
    QCOMPARE(m_store->rows("SELECT time, ztime FROM msgrecord"),
             QStringList{"2020-01-02 03:04:05|2020-01-02 03:04:05.678"});
    LogCapture log;
    for (const QString &bad : {QString(), QString("yesterday"), QString("2020-01-02 03:04:05"),
                               QString("2020-13-02 03:04:05.678"), QString("2020-01-02T03:04:05.678")})
        QVERIFY2(!CLocalDataBase::UpdateMessageTime("peer@x/pc", "mid-s", bad), qPrintable(bad));
    QVERIFY(log.contains("is no time"));
    QCOMPARE(m_store->rows("SELECT time, ztime FROM msgrecord"),
             QStringList{"2020-01-02 03:04:05|2020-01-02 03:04:05.678"});
}

void tst_MessageStore::readMarks()
{
    for (const char *id : {"r1", "r2", "r3"}) {
        DBMessageSave m = at(id, "peer@x/pc", "2014-05-06 07:08:09");
        QVERIFY(CLocalDataBase::InsertMessage(m));
    }
    const QString before = QDateTime::currentDateTime().toString("yyyy-MM-dd hh:mm:ss.zzz");
    QVERIFY(CLocalDataBase::MarkMessagesRead("peer@x/pc", {"mid-r1", "mid-r3", "mid-none"}, QSqlDatabase::database()));
    const QString after = QDateTime::currentDateTime().toString("yyyy-MM-dd hh:mm:ss.zzz");
    QCOMPARE(m_store->rows("SELECT id, readed FROM msgrecord ORDER BY id"), (QStringList{"r1|1", "r2|0", "r3|1"}));
    const QString received = m_store->value("SELECT receivetime FROM msgrecord WHERE id = 'r1'");
    QVERIFY(received >= before && received <= after);
    QCOMPARE(CLocalDataBase::MessageReadState("peer@x/pc", "mid-r1", "C"), 1);
    QCOMPARE(CLocalDataBase::MessageReadState("peer@x/pc", "mid-r2", "C"), 0);
    QCOMPARE(CLocalDataBase::MessageReadState("peer@x/pc", "mid-none", "C"), 0);
    QCOMPARE(idsOf(CLocalDataBase::ReadMessagesOfConversation("peer@x", "/pc")), (QStringList{"r1", "r3"}));
}

void tst_MessageStore::batchInsertKeepsAllButConstraintFailures()
{
    QVERIFY(CLocalDataBase::InsertMessage(at("taken", "p@x/pc", "2014-01-01 00:00:00")));
    QList<DBMessageSave> batch{at("b1", "p@x/pc", "2014-01-01 00:00:01"), at("taken", "p@x/pc", "2099-01-01 00:00:00"),
                               at("b2", "p@x/pc", "2014-01-01 00:00:02")};
    LogCapture log;
    QVERIFY(!CLocalDataBase::InsertMessages(batch, QSqlDatabase::database()));
    QVERIFY(log.contains("skipped"));
    QCOMPARE(m_store->rows("SELECT id, time FROM msgrecord ORDER BY id"),
             (QStringList{"b1|2014-01-01 00:00:01", "b2|2014-01-01 00:00:02", "taken|2014-01-01 00:00:00"}));
    batch = {at("b3", "p@x/pc", "2014-01-01 00:00:03")};
    QVERIFY(CLocalDataBase::InsertMessages(batch, QSqlDatabase::database()));
    QVERIFY(CLocalDataBase::InsertMessages({}, QSqlDatabase::database()));
}

void tst_MessageStore::batchInsertUndoneOnOtherErrors()
{
    QVERIFY(CLocalDataBase::InsertMessage(at("before", "p@x/pc", "2014-01-01 00:00:00")));
    QSqlDatabase db = QSqlDatabase::database();
    QSqlQuery pragma(db);
    QVERIFY(pragma.exec("PRAGMA page_count") && pragma.next());
    const int pages = pragma.value(0).toInt();
    QVERIFY(pragma.exec(QString("PRAGMA max_page_count = %1").arg(pages + 3)));
    QList<DBMessageSave> batch;
    for (int i = 0; i < 100; ++i) {
        DBMessageSave m = at(QString("full%1").arg(i), "p@x/pc", "2014-01-01 00:00:01");
        m.content = QString(2000, QChar('x'));
        batch << m;
    }
    LogCapture log;
    QVERIFY(!CLocalDataBase::InsertMessages(batch, db));
    QVERIFY(log.contains("batch undone"));
    QVERIFY(pragma.exec("PRAGMA max_page_count = 1000000"));
    QCOMPARE(m_store->rows("SELECT id FROM msgrecord"), QStringList{"before"});
    QVERIFY(CLocalDataBase::InsertMessages(batch.mid(0, 2), db)); // the connection is usable afterwards
}

void tst_MessageStore::batchStatusUpdates()
{
    for (const char *id : {"u1", "u2"})
        QVERIFY(CLocalDataBase::InsertMessage(at(id, "p@x/pc", "2014-01-01 00:00:00")));
    QVERIFY(CLocalDataBase::UpdateMessageStatuses({{"p@x/pc", "mid-u1", "ok"}, {"p@x/pc", "mid-u2", "failed"},
                                                   {"p@x/pc", "mid-none", "x"}},
                                                  QSqlDatabase::database()));
    QCOMPARE(m_store->rows("SELECT id, msgStatus FROM msgrecord ORDER BY id"), (QStringList{"u1|ok", "u2|failed"}));

    QSqlDatabase db = QSqlDatabase::database();
    QSqlQuery pragma(db);
    QVERIFY(pragma.exec("PRAGMA page_count") && pragma.next());
    QVERIFY(pragma.exec(QString("PRAGMA max_page_count = %1").arg(pragma.value(0).toInt() + 1)));
    QVERIFY(!CLocalDataBase::UpdateMessageStatuses({{"p@x/pc", "mid-u1", "changed"},
                                                    {"p@x/pc", "mid-u2", QString(200000, QChar('y'))}},
                                                   db));
    QVERIFY(pragma.exec("PRAGMA max_page_count = 1000000"));
    QCOMPARE(m_store->rows("SELECT id, msgStatus FROM msgrecord ORDER BY id"), (QStringList{"u1|ok", "u2|failed"}));
}

void tst_MessageStore::batchesUndoneWhenBusy()
{
    QVERIFY(CLocalDataBase::InsertMessage(at("k", "p@x/pc", "2014-01-01 00:00:00")));
    QSqlDatabase impatient = QSqlDatabase::addDatabase("QSQLITE", "impatient");
    impatient.setConnectOptions("QSQLITE_BUSY_TIMEOUT=0");
    impatient.setDatabaseName(m_store->databasePath());
    QVERIFY(impatient.open());
    QVERIFY(m_store->exec("BEGIN IMMEDIATE"));
    LogCapture log;
    QVERIFY(!CLocalDataBase::InsertMessages({at("n", "p@x/pc", "2014-01-01 00:00:00")}, impatient));
    QVERIFY(!CLocalDataBase::MarkMessagesRead("p@x/pc", {"mid-k"}, impatient));
    QVERIFY(!CLocalDataBase::UpdateMessageStatuses({{"p@x/pc", "mid-k", "s"}}, impatient));
    QVERIFY(m_store->exec("ROLLBACK"));
    QCOMPARE(m_store->rows("SELECT id, readed, msgStatus FROM msgrecord"), QStringList{"k|0|"});
    QVERIFY(CLocalDataBase::MarkMessagesRead("p@x/pc", {"mid-k"}, impatient));
    impatient.close();
    impatient = QSqlDatabase();
    QSqlDatabase::removeDatabase("impatient");
}

void tst_MessageStore::lookups()
{
    DBMessageSave read = at("l1", "p@x/pc", "2014-01-01 00:00:00");
    read.readed = 1;
    QVERIFY(CLocalDataBase::InsertMessage(read));
    QVERIFY(CLocalDataBase::InsertMessage(at("l2", "p@x/pc", "2014-01-01 00:00:00")));
    QVERIFY(CLocalDataBase::MessageExists("p@x/pc", "mid-l1", "C", false));
    QVERIFY(CLocalDataBase::MessageExists("p@x/pc", "mid-l1", "C", true));
    QVERIFY(CLocalDataBase::MessageExists("p@x/pc", "mid-l2", "C", false));
    QVERIFY(!CLocalDataBase::MessageExists("p@x/pc", "mid-l2", "C", true));
    QVERIFY(!CLocalDataBase::MessageExists("p@x/pc", "mid-l1", "S", false));
    QCOMPARE(CLocalDataBase::MessageByMessageId("mid-l2").id, QString("l2"));
    QCOMPARE(CLocalDataBase::MessageByMessageId("none").id, QString());
    QCOMPARE(CLocalDataBase::MessageById("none").message_type, 0);
    QCOMPARE(CLocalDataBase::MessageByVideoRotate("none").id, QString());
}

void tst_MessageStore::conversationLists()
{
    QVERIFY(CLocalDataBase::InsertMessage(at("c3", "p@x/pc", "2014-01-03 00:00:00")));
    QVERIFY(CLocalDataBase::InsertMessage(at("c1", "p@x/pc", "2014-01-01 00:00:00")));
    QVERIFY(CLocalDataBase::InsertMessage(at("c2", "p@x/phone", "2014-01-02 00:00:00")));
    QVERIFY(CLocalDataBase::InsertMessage(at("s1", "sys@x/", "2014-01-02 00:00:00", "S")));
    QVERIFY(CLocalDataBase::InsertMessage(at("o1", "q@x/pc", "2014-01-02 00:00:00")));
    QCOMPARE(idsOf(CLocalDataBase::MessagesOfConversation("p@x", "/pc")), (QStringList{"c1", "c3"}));
    QCOMPARE(idsOf(CLocalDataBase::MessagesOfConversations("p@x", {"/phone", "/pc"})),
             (QStringList{"c2", "c3", "c1"})); // per suffix, in the table's own order
    QStringList byJid = idsOf(CLocalDataBase::MessagesByJid("p@x"));
    byJid.sort();
    QCOMPARE(byJid, (QStringList{"c1", "c2", "c3"}));
    QCOMPARE(idsOf(CLocalDataBase::SystemMessages()), QStringList{"s1"});
}

void tst_MessageStore::deletesByConversationAndRange()
{
    const QString tomorrowPlus = QDate::currentDate().addDays(3).toString("yyyy-MM-dd") + " 00:00:00";
    const QList<DBMessageSave> rows{at("recent", "p@x/pc", daysAgo(1, "12:00:00")),
                                    at("midnight", "p@x/pc", daysAgo(7, "00:00:00")),
                                    at("justBefore", "p@x/pc", daysAgo(8, "23:59:59")),
                                    at("old", "p@x/pc", "2001-01-01 00:00:00"),
                                    at("future", "p@x/pc", tomorrowPlus),
                                    at("elsewhere", "q@x/pc", daysAgo(1, "12:00:00"))};
    const auto reset = [&] {
        QVERIFY(m_store->exec("DELETE FROM msgrecord"));
        QVERIFY(CLocalDataBase::InsertMessages(rows, QSqlDatabase::database()));
    };
    const auto remaining = [&] { return m_store->rows("SELECT id FROM msgrecord ORDER BY id"); };

    reset();
    QVERIFY(CLocalDataBase::DeleteConversationInRange("p@x", "/pc", 1, {}, {}));
    QCOMPARE(remaining(), (QStringList{"elsewhere", "future", "justBefore", "old"}));
    reset();
    QVERIFY(CLocalDataBase::DeleteConversationInRange("p@x", "/pc", 4, "2000-01-01 00:00:00", "2002-01-01 00:00:00"));
    QCOMPARE(remaining(), (QStringList{"elsewhere", "future", "justBefore", "midnight", "recent"}));
    reset();
    QVERIFY(CLocalDataBase::DeleteConversationInRange("p@x", "/pc", 5, {}, {})); // up to tomorrow
    QCOMPARE(remaining(), (QStringList{"elsewhere", "future"}));
    reset();
    QVERIFY(CLocalDataBase::DeleteConversationInRange("p@x", "/pc", 0, {}, {}));
    QCOMPARE(remaining(), QStringList{"elsewhere"});
    reset();
    QVERIFY(CLocalDataBase::DeleteConversation("p@x", "/pc"));
    QCOMPARE(remaining(), QStringList{"elsewhere"});
    QVERIFY(CLocalDataBase::DeleteConversation("p@x", "/pc")); // nothing left is no failure
}

void tst_MessageStore::deletesByFlagAndRoom()
{
    const QList<DBMessageSave> rows{at("g-recent", "room@muc/x", daysAgo(2, "10:00:00"), "G"),
                                    at("g-old", "room@muc/x", "2001-01-01 00:00:00", "G"),
                                    at("g-other-room", "hall@muc/x", daysAgo(2, "10:00:00"), "G"),
                                    at("s-recent", "sys@x/", daysAgo(2, "10:00:00"), "S"),
                                    at("s-old", "sys@x/", "2001-01-01 00:00:00", "S"),
                                    at("c", "room@muc/x", daysAgo(2, "10:00:00"), "C")};
    const auto reset = [&] {
        QVERIFY(m_store->exec("DELETE FROM msgrecord"));
        QVERIFY(CLocalDataBase::InsertMessages(rows, QSqlDatabase::database()));
    };
    const auto remaining = [&] { return m_store->rows("SELECT id FROM msgrecord ORDER BY id"); };
    reset();
    QVERIFY(CLocalDataBase::DeleteMessagesByFlag("G", 0));
    QCOMPARE(remaining(), (QStringList{"c", "s-old", "s-recent"}));
    reset();
    QVERIFY(CLocalDataBase::DeleteFlagGMessages(3));
    QCOMPARE(remaining(), (QStringList{"c", "g-old", "s-old", "s-recent"}));
    reset();
    QVERIFY(CLocalDataBase::DeleteFlagSMessages(0));
    QCOMPARE(remaining(), (QStringList{"c", "g-old", "g-other-room", "g-recent"}));
    reset();
    QVERIFY(CLocalDataBase::DeleteRoomMessages("room@muc", "G", 0));
    QCOMPARE(remaining(), (QStringList{"c", "g-other-room", "s-old", "s-recent"}));
    reset();
    QVERIFY(CLocalDataBase::DeleteRoomMessages("room@muc", "G", 2));
    QCOMPARE(remaining(), (QStringList{"c", "g-old", "g-other-room", "s-old", "s-recent"}));
}

void tst_MessageStore::deletesOfOneMessage()
{
    QVERIFY(CLocalDataBase::InsertMessage(at("d1", "p@x/pc", "2014-01-01 00:00:00")));
    QVERIFY(CLocalDataBase::InsertMessage(at("d2", "p@x/pc", "2014-01-01 00:00:00")));
    QVERIFY(CLocalDataBase::DeleteMessage("d1", "q@x/pc"));
    QCOMPARE(m_store->value("SELECT count(*) FROM msgrecord"), QString("2"));
    QVERIFY(CLocalDataBase::DeleteMessage("d1", "p@x/pc"));
    QVERIFY(CLocalDataBase::DeleteMessageById("d2"));
    QCOMPARE(m_store->value("SELECT count(*) FROM msgrecord"), QString("0"));
}

void tst_MessageStore::fileTables()
{
    QVERIFY(CLocalDataBase::AddFileReceiveStatus("f'1", "done"));
    QVERIFY(!CLocalDataBase::AddFileReceiveStatus("f'1", "again"));
    QVERIFY(CLocalDataBase::HasFileReceiveStatus("f'1", "done"));
    QVERIFY(!CLocalDataBase::HasFileReceiveStatus("f'1", "other"));
    QVERIFY(!CLocalDataBase::HasFileReceiveStatus("x' OR '1'='1", "x' OR '1'='1"));

    QVERIFY(CLocalDataBase::AddCloudFileLocalPath("c1", "/home/u/Download/a'b.txt"));
    QCOMPARE(CLocalDataBase::CloudFileLocalPath("c1"), QString("/home/u/Download/a'b.txt"));
    QCOMPARE(CLocalDataBase::CloudFileLocalPath("none"), QString());
    QVERIFY(CLocalDataBase::DeleteCloudFileLocalPath("c1"));
    QCOMPARE(CLocalDataBase::CloudFileLocalPath("c1"), QString());

    QVERIFY(CLocalDataBase::AddShareFileLocalPath("s1", "/tmp/s"));
    QCOMPARE(CLocalDataBase::ShareFileLocalPath("s1"), QString("/tmp/s"));
    QCOMPARE(CLocalDataBase::CloudFileLocalPath("s1"), QString());
    QVERIFY(CLocalDataBase::DeleteShareFileLocalPath("s1"));
    QCOMPARE(CLocalDataBase::ShareFileLocalPath("s1"), QString());
}

void tst_MessageStore::everythingFailsQuietlyWithoutDatabase()
{
    QVERIFY(CLocalDataBase::InsertMessage(at("kept", "p@x/pc", "2014-01-01 00:00:00")));
    CLocalDataBase::Close();
    QVERIFY(!CLocalDataBase::InsertMessage(at("x", "p@x/pc", "2014-01-01 00:00:00")));
    QVERIFY(!CLocalDataBase::InsertMessages({at("y", "p@x/pc", "2014-01-01 00:00:00")},
                                            QSqlDatabase::database(QSqlDatabase::defaultConnection, false)));
    QVERIFY(!CLocalDataBase::MessageExists("p@x/pc", "mid-kept", "C", false));
    QCOMPARE(CLocalDataBase::MessageById("kept").id, QString());
    QVERIFY(CLocalDataBase::MessagesOfConversation("p@x", "/pc").isEmpty());
    QVERIFY(!CLocalDataBase::DeleteConversation("p@x", "/pc"));
    QVERIFY(!CLocalDataBase::UpdateMessageTime("p@x/pc", "mid-kept", "2020-01-02 03:04:05.678"));
    QVERIFY(CLocalDataBase::SearchConversation("p@x", "/pc", "kept", 0).isEmpty());
    QCOMPARE(CLocalDataBase::CloudFileLocalPath("c"), QString());
}

QTEST_GUILESS_MAIN(tst_MessageStore)
#include "tst_MessageStore.moc"
