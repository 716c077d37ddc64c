#include "LogCapture.h"
#include "StoreFixture.h"
#include "store/SearchIndex.h"
#include "store/SearchIndexFile.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

namespace {

DBMessageSave message(const QString &id, const QString &uniqueJid, const QString &sender, const QString &time,
                      const QString &text, const QString &flag = "C")
{
    DBMessageSave m;
    m.id = id;
    m.unique_jid = uniqueJid;
    m.jid = uniqueJid.section('/', 0, 0);
    m.sender = sender;
    m.time = time;
    m.true_content = text;
    m.message_flag = flag;
    m.messageid = "mid-" + id;
    return m;
}

enum Scope { All, ByJid, ByFlag, ConversationByJid, Conversation };

QList<DBMessageSave> runSearch(int scope, const QString &keyword, int rangeCode)
{
    switch (scope) {
    case All:
        return CLocalDataBase::search(MessageSearch::Scope(), keyword, rangeCode);
    case ByJid:
        return CLocalDataBase::SearchMessagesByJid("p@x", keyword, rangeCode);
    case ByFlag:
        return CLocalDataBase::SearchMessagesByFlag("p@x", "G", keyword, rangeCode);
    case ConversationByJid:
        return CLocalDataBase::SearchConversationByJid("p@x", "/pc", keyword, rangeCode);
    default:
        return CLocalDataBase::SearchConversation("p@x", "/pc", keyword, rangeCode);
    }
}

SearchIndex *index()
{
    return SearchIndex::instance();
}

} // namespace

class tst_SearchIndex : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void phraseAndLength();
    void sideFileBesideDataDb();
    void bothPathsAgree_data();
    void bothPathsAgree();
    void shortKeywordsNeverUseTheIndex();
    void ownWritesKeepItCurrent();
    void catchUpAfterRowsAddedByPlainSqlite();
    void catchUpAfterRowsAddedOnTheSharedConnection();
    void sameFiguresOtherTextsAreFound();
    void catchUpAfterRowsDeletedExternally();
    void catchUpAcrossSessions();
    void catchUpRunsFromTheEventLoop();
    void foreignWritesDuringAPassAreCaught();
    void ownWritesDuringAPassKeepItClean();
    void aPluginTransactionHoldsTheCatchUp();
    void missingSideFileIsRebuilt();
    void corruptSideFileFallsBackAndIsRebuilt_data();
    void corruptSideFileFallsBackAndIsRebuilt();
    void damageFoundBySearchFallsBackAndIsRebuilt();
    void detachedByOthersIsAttachedAgain();
    void dataDbStaysPlainSqlite();

private:
    void fill();
    void addRows(int count, const QString &prefix, int hitEvery);
    QStringList likeIds(int scope, const QString &keyword, int range);
    QStringList indexedIds(int scope, const QString &keyword, int range);
    QString sidePath() const;
    qint64 sideCount(const QString &sql);

    StoreFixture *m_store = nullptr;
};

void tst_SearchIndex::init()
{
    index()->setEnabled(true);
    index()->setAdaptiveBatch();
    m_store = new StoreFixture;
    QVERIFY(m_store->open());
    QCOMPARE(index()->sideFile(), sidePath());
}

void tst_SearchIndex::cleanup()
{
    delete m_store;
    m_store = nullptr;
    index()->setEnabled(true);
}

QString tst_SearchIndex::sidePath() const
{
    return QFileInfo(m_store->databasePath()).absolutePath() + "/data.search";
}

// A count from the side file, read as another program would.
qint64 tst_SearchIndex::sideCount(const QString &sql)
{
    bool ok = false;
    const qint64 count = StoreFixture::rowsIn(sidePath(), sql).value(0).toLongLong(&ok);
    return ok ? count : -1;
}

void tst_SearchIndex::fill()
{
    const QString old = "2010-03-04 05:06:07";
    const QList<DBMessageSave> rows{
        message("pct", "p@x/pc", "a@x", old, "discount 50% today"),
        message("num", "p@x/pc", "a@x", old, "discount 500 today"),
        message("bysender", "p@x/pc", "50%", old, "unrelated words"),
        message("under", "p@x/pc", "a@x", old, "snake a_b case"),
        message("nounder", "p@x/pc", "a@x", old, "snake axb case"),
        message("bang", "p@x/pc", "a@x", old, "wow!% really"),
        message("quote", "p@x/pc", "a@x", old, "it's fine"),
        message("dquote", "p@x/pc", "a@x", old, "say a\"b to me"),
        message("dquote2", "p@x/pc", "a@x", old, "say \"quoted\" words"),
        message("not", "p@x/pc", "a@x", old, "do NOT touch"),
        message("notlower", "p@x/pc", "a@x", old, "nothing here"),
        message("colon", "p@x/pc", "a@x", old, "key x:y value"),
        message("star", "p@x/pc", "a@x", old, "glob abc* and (x OR y)"),
        message("inject", "p@x/pc", "a@x", old, "literally x' OR '1'='1 here"),
        message("cjk", "p@x/pc", "a@x", old, "我们明天开会讨论你好世界"),
        message("cjk2", "p@x/pc", "a@x", old, "你好"),
        message("cjk3", "p@x/pc", "a@x", old, "世界你好世界"),
        message("upper", "p@x/pc", "a@x", old, "HELLO World"),
        message("umlaut", "p@x/pc", "a@x", old, "Ärger"),
        message("emoji", "p@x/pc", "a@x", old, "ok 😀😀 go"),
        message("recent", "p@x/pc", "a@x", daysAgo(1, "09:00:00"), "meeting notes"),
        message("midnight", "p@x/pc", "a@x", daysAgo(7, "00:00:00"), "meeting at midnight"),
        message("justBefore", "p@x/pc", "a@x", daysAgo(8, "23:59:59"), "meeting before"),
        message("monthAgo", "p@x/pc", "a@x", QDate::currentDate().addMonths(-1).toString("yyyy-MM-dd") + " 00:00:00",
                "meeting a month ago"),
        message("tie2", "p@x/pc", "a@x", "2011-01-01 00:00:00", "tie breaker second"),
        message("tie1", "p@x/pc", "a@x", "2011-01-01 00:00:00", "tie breaker first"),
        message("group", "p@x/pc", "meeting", old, "group talk", "G"),
        message("phone", "p@x/phone", "a@x", old, "meeting on the phone"),
        message("otherjid", "q@x/pc", "a@x", old, "meeting elsewhere"),
    };
    QVERIFY(CLocalDataBase::InsertMessages(rows, QSqlDatabase::database()));
    // A row of another program: NULL id and NULL text are possible in msgrecord.
    QVERIFY(m_store->exec("INSERT INTO msgrecord (id, jid, unique_jid, sender, time, true_content, message_flag) "
                          "VALUES (NULL, 'p@x', 'p@x/pc', 'a@x', ?, 'meeting without id', 'C'), "
                          "('nulltext', 'p@x', 'p@x/pc', 'a@x', ?, NULL, 'C')",
                          {old, old}));
    QVERIFY(index()->catchUp());
}

// Rows written by another program while the store is closed.
void tst_SearchIndex::addRows(int count, const QString &prefix, int hitEvery)
{
    QVERIFY(m_store->exec("BEGIN"));
    for (int i = 0; i < count; ++i) {
        QVERIFY(m_store->exec("INSERT INTO msgrecord (id, jid, unique_jid, sender, time, true_content, message_flag) "
                              "VALUES (?, 'p@x', 'p@x/pc', 'a@x', '2013-01-02 00:00:00', ?, 'C')",
                              {prefix + QString::number(i), i % hitEvery == 7 ? "needle in it" : "hay only"}));
    }
    QVERIFY(m_store->exec("COMMIT"));
}

QStringList tst_SearchIndex::likeIds(int scope, const QString &keyword, int range)
{
    index()->setEnabled(false);
    const QStringList ids = idsOf(runSearch(scope, keyword, range));
    [&] { QCOMPARE(MessageSearch::lastPath(), MessageSearch::Path::Like); }();
    index()->setEnabled(true);
    return ids;
}

QStringList tst_SearchIndex::indexedIds(int scope, const QString &keyword, int range)
{
    const QStringList ids = idsOf(runSearch(scope, keyword, range));
    [&] {
        QCOMPARE(index()->state(), SearchIndex::State::Current);
        QCOMPARE(MessageSearch::lastPath(), MessageSearch::Path::Indexed);
    }();
    return ids;
}

void tst_SearchIndex::phraseAndLength()
{
    QCOMPARE(MessageSearch::ftsPhrase("a\"b"), QString("\"a\"\"b\""));
    QCOMPARE(MessageSearch::ftsPhrase("NOT"), QString("\"NOT\""));
    QCOMPARE(MessageSearch::ftsPhrase("\"\""), QString("\"\"\"\"\"\""));
    QCOMPARE(MessageSearch::codePoints("你好"), 2);
    QCOMPARE(MessageSearch::codePoints("你好世"), 3);
    QCOMPARE(MessageSearch::codePoints("😀😀"), 2); // four UTF-16 units
    QCOMPARE(MessageSearch::codePoints("ab"), 2);
    QCOMPARE(SearchIndexFile::pathFor("/x/y/data.db"), QString("/x/y/data.search"));
}

void tst_SearchIndex::sideFileBesideDataDb()
{
    QVERIFY(QFileInfo::exists(sidePath()));
    fill();
    QCOMPARE(index()->state(), SearchIndex::State::Current);
    QCOMPARE(sideCount("SELECT count(*) FROM entry"), m_store->value("SELECT count(*) FROM msgrecord").toLongLong());
    const QStringList names = QDir(QFileInfo(sidePath()).absolutePath()).entryList(QDir::Files);
    for (const QString &name : names)
        QVERIFY2(name == "data.db" || name == "data.search", qPrintable(name));
}

void tst_SearchIndex::bothPathsAgree_data()
{
    QTest::addColumn<int>("scope");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<int>("range");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("percent is literal, sender raw") << int(ByJid) << "50%" << 0 << QStringList{"pct", "bysender"};
    QTest::newRow("percent, all conversations") << int(All) << "50%" << 0 << QStringList{"pct", "bysender"};
    QTest::newRow("underscore is literal") << int(ByJid) << "a_b" << 0 << QStringList{"under"};
    QTest::newRow("escape character") << int(ByJid) << "w!%" << 0 << QStringList{"bang"};
    QTest::newRow("apostrophe") << int(ByJid) << "it's" << 0 << QStringList{"quote"};
    QTest::newRow("double quote") << int(ByJid) << "a\"b" << 0 << QStringList{"dquote"};
    QTest::newRow("quoted word") << int(ByJid) << "\"quoted\"" << 0 << QStringList{"dquote2"};
    QTest::newRow("NOT is text") << int(ByJid) << "NOT" << 0 << QStringList{"not", "notlower", "recent"};
    QTest::newRow("NOT with blank") << int(ByJid) << "NOT " << 0 << QStringList{"not"};
    QTest::newRow("column filter is text") << int(ByJid) << "x:y" << 0 << QStringList{"colon"};
    QTest::newRow("star and OR are text") << int(ByJid) << "abc* and (x OR y)" << 0 << QStringList{"star"};
    QTest::newRow("injection is text") << int(ByJid) << "x' OR '1'='1" << 0 << QStringList{"inject"};
    QTest::newRow("cjk") << int(ByJid) << "你好世界" << 0 << QStringList{"cjk", "cjk3"};
    QTest::newRow("cjk three") << int(All) << "好世界" << 0 << QStringList{"cjk", "cjk3"};
    QTest::newRow("emoji") << int(All) << "😀😀 " << 0 << QStringList{"emoji"};
    QTest::newRow("ascii case folds") << int(ByJid) << "hello" << 0 << QStringList{"upper"};
    QTest::newRow("other case is exact") << int(ByJid) << "ärger" << 0 << QStringList{};
    QTest::newRow("same case") << int(ByJid) << "Ärger" << 0 << QStringList{"umlaut"};
    QTest::newRow("no hit") << int(All) << "nothing like it" << 0 << QStringList{};
    QTest::newRow("ties keep insertion order") << int(ByJid) << "tie breaker" << 0 << QStringList{"tie2", "tie1"};
    QTest::newRow("by jid, all time")
        << int(ByJid) << "meeting" << 0
        << QStringList{"group", "phone", "", "monthAgo", "justBefore", "midnight", "recent"};
    QTest::newRow("all conversations")
        << int(All) << "meeting" << 0
        << QStringList{"group", "phone", "otherjid", "", "monthAgo", "justBefore", "midnight", "recent"};
    QTest::newRow("seven days include midnight of the first day")
        << int(ByJid) << "meeting" << 1 << QStringList{"midnight", "recent"};
    QTest::newRow("one month") << int(ByJid) << "meeting" << 2
                               << QStringList{"monthAgo", "justBefore", "midnight", "recent"};
    QTest::newRow("three months") << int(All) << "meeting" << 3
                                  << QStringList{"monthAgo", "justBefore", "midnight", "recent"};
    QTest::newRow("code 5 is everything")
        << int(ByJid) << "meeting" << 5
        << QStringList{"group", "phone", "", "monthAgo", "justBefore", "midnight", "recent"};
    QTest::newRow("by flag, sender branch") << int(ByFlag) << "meeting" << 0 << QStringList{"group"};
    QTest::newRow("conversation by jid")
        << int(ConversationByJid) << "meeting" << 0
        << QStringList{"group", "", "monthAgo", "justBefore", "midnight", "recent"};
    QTest::newRow("conversation, seven days") << int(Conversation) << "meeting" << 1
                                              << QStringList{"midnight", "recent"};
}

void tst_SearchIndex::bothPathsAgree()
{
    QFETCH(int, scope);
    QFETCH(QString, keyword);
    QFETCH(int, range);
    QFETCH(QStringList, expected);
    fill();
    QCOMPARE(likeIds(scope, keyword, range), expected);
    QCOMPARE(indexedIds(scope, keyword, range), expected);
}

void tst_SearchIndex::shortKeywordsNeverUseTheIndex()
{
    fill();
    for (const QString &keyword : {QString("你好"), QString("!%"), QString("50"), QString("😀😀"), QString()}) {
        const QStringList like = likeIds(ByJid, keyword, 0);
        QCOMPARE(idsOf(runSearch(ByJid, keyword, 0)), like);
        QCOMPARE(MessageSearch::lastPath(), MessageSearch::Path::Like);
    }
    QCOMPARE(likeIds(ByJid, "你好", 0), (QStringList{"cjk", "cjk2", "cjk3"}));
}

void tst_SearchIndex::ownWritesKeepItCurrent()
{
    fill();
    const int passes = index()->progress().passes;
    QVERIFY(CLocalDataBase::InsertMessage(message("new1", "p@x/pc", "a@x", "2012-01-01 00:00:00", "fresh zebra")));
    QCOMPARE(indexedIds(ByJid, "zebra", 0), QStringList{"new1"});
    QVERIFY(CLocalDataBase::InsertMessages({message("new2", "p@x/pc", "a@x", "2012-01-02 00:00:00", "zebra two"),
                                            message("new3", "q@x/pc", "a@x", "2012-01-03 00:00:00", "zebra three")},
                                           QSqlDatabase::database()));
    QCOMPARE(indexedIds(All, "zebra", 0), (QStringList{"new1", "new2", "new3"}));
    QVERIFY(CLocalDataBase::MarkMessagesRead("p@x/pc", {"mid-new1"}, QSqlDatabase::database()));
    CLocalDataBase::UpdateMessageStatus("p@x/pc", "mid-new2", "read");
    QVERIFY(CLocalDataBase::UpdateMessageTime("p@x/pc", "mid-new2", "2012-01-04 00:00:00.000"));
    QCOMPARE(indexedIds(All, "zebra", 0), (QStringList{"new1", "new3", "new2"}));
    QVERIFY(CLocalDataBase::DeleteMessageById("new1"));
    QCOMPARE(indexedIds(All, "zebra", 0), (QStringList{"new3", "new2"}));
    QVERIFY(CLocalDataBase::DeleteConversation("q@x", "/pc"));
    QCOMPARE(indexedIds(All, "zebra", 0), QStringList{"new2"});
    // The top row goes and a new one takes its rowid.
    QVERIFY(CLocalDataBase::DeleteMessage("new2", "p@x/pc"));
    QVERIFY(CLocalDataBase::InsertMessage(message("new4", "p@x/pc", "a@x", "2012-01-05 00:00:00", "zebra four")));
    QCOMPARE(indexedIds(All, "zebra", 0), QStringList{"new4"});
    QVERIFY(CLocalDataBase::AddFileReceiveStatus("file1", "done")); // another table, still the store's own
    QVERIFY(CLocalDataBase::DeleteConversationInRange("p@x", "/pc", 0, {}, {}));
    QCOMPARE(indexedIds(All, "meeting", 0), (QStringList{"phone"}));
    QCOMPARE(likeIds(All, "meeting", 0), (QStringList{"phone"}));
    QCOMPARE(sideCount("SELECT count(*) FROM entry"), m_store->value("SELECT count(*) FROM msgrecord").toLongLong());
    // Only the own writes happened: no pass was needed for them.
    QCOMPARE(index()->progress().passes, passes);
}

void tst_SearchIndex::catchUpAfterRowsAddedByPlainSqlite()
{
    fill();
    QVERIFY(m_store->exec("INSERT INTO msgrecord (id, jid, unique_jid, sender, time, true_content, message_flag) "
                          "VALUES ('ext1', 'p@x', 'p@x/pc', 'a@x', '2013-01-01 00:00:00', 'outside zebra', 'C')"));
    // Even a plain append is verified before the index answers again.
    QCOMPARE(idsOf(runSearch(ByJid, "zebra", 0)), QStringList{"ext1"});
    QCOMPARE(MessageSearch::lastPath(), MessageSearch::Path::Like);
    QCOMPARE(index()->state(), SearchIndex::State::Building);
    QVERIFY(index()->catchUp());
    QCOMPARE(indexedIds(ByJid, "zebra", 0), QStringList{"ext1"});
}

void tst_SearchIndex::catchUpAfterRowsAddedOnTheSharedConnection()
{
    fill();
    // A plug-in writing data.db with its own SQL on the default connection.
    QSqlQuery query(QSqlDatabase::database());
    QVERIFY(query.exec("INSERT INTO msgrecord (id, jid, unique_jid, sender, time, true_content, message_flag) "
                       "VALUES ('plug', 'p@x', 'p@x/pc', 'a@x', '2013-01-01 00:00:00', 'plugged zebra', 'C')"));
    QCOMPARE(idsOf(runSearch(ByJid, "zebra", 0)), QStringList{"plug"});
    QCOMPARE(MessageSearch::lastPath(), MessageSearch::Path::Like);
    QVERIFY(index()->catchUp());
    QCOMPARE(indexedIds(ByJid, "zebra", 0), QStringList{"plug"});
    QVERIFY(query.exec("DELETE FROM msgrecord WHERE id = 'plug'"));
    QCOMPARE(idsOf(runSearch(ByJid, "zebra", 0)), QStringList{});
    QVERIFY(index()->catchUp());
    QCOMPARE(indexedIds(ByJid, "zebra", 0), QStringList{});
}

// Changes that keep row count and highest rowid: the top row stored again under its own
// id (SQLite gives it the same rowid) and a text updated in place.
void tst_SearchIndex::sameFiguresOtherTextsAreFound()
{
    fill();
    const QString top = m_store->value("SELECT id FROM msgrecord ORDER BY rowid DESC LIMIT 1");
    QSqlQuery shared(QSqlDatabase::database());
    QVERIFY(shared.exec("DELETE FROM msgrecord WHERE id = '" + top + "'"));
    QVERIFY(shared.exec("INSERT INTO msgrecord (id, jid, unique_jid, sender, time, true_content, message_flag) "
                        "VALUES ('" + top + "', 'p@x', 'p@x/pc', 'a@x', '2013-01-01 00:00:00', 'stored okapi', 'C')"));
    QVERIFY(m_store->exec("UPDATE msgrecord SET true_content = 'changed okapi' WHERE id = 'umlaut'"));
    const QStringList expected{"umlaut", top};
    QCOMPARE(idsOf(runSearch(ByJid, "okapi", 0)), expected);
    QCOMPARE(MessageSearch::lastPath(), MessageSearch::Path::Like);
    QVERIFY(index()->catchUp());
    QCOMPARE(indexedIds(ByJid, "okapi", 0), expected);

    // Behind a closed store, found after the next open as well; a second open with nothing
    // changed in between trusts the index at once.
    CLocalDataBase::Close();
    QVERIFY(m_store->exec("UPDATE msgrecord SET true_content = 'moved okapi' WHERE id = 'upper'"));
    m_store->closeRaw();
    QVERIFY(m_store->open());
    QCOMPARE(idsOf(runSearch(ByJid, "okapi", 0)), (QStringList{"upper", "umlaut", top}));
    QCOMPARE(MessageSearch::lastPath(), MessageSearch::Path::Like);
    QVERIFY(index()->catchUp());
    QCOMPARE(indexedIds(ByJid, "okapi", 0), (QStringList{"upper", "umlaut", top}));
    CLocalDataBase::Close();
    QVERIFY(m_store->open());
    QCOMPARE(indexedIds(ByJid, "okapi", 0), (QStringList{"upper", "umlaut", top}));
}

void tst_SearchIndex::catchUpAfterRowsDeletedExternally()
{
    fill();
    QVERIFY(m_store->exec("DELETE FROM msgrecord WHERE id IN ('midnight', 'phone')"));
    // The top row replaced by another one with the same rowid and a new text.
    QVERIFY(m_store->exec("DELETE FROM msgrecord WHERE rowid = (SELECT max(rowid) FROM msgrecord)"));
    QVERIFY(m_store->exec("INSERT INTO msgrecord (id, jid, unique_jid, sender, time, true_content, message_flag) "
                          "VALUES ('top', 'p@x', 'p@x/pc', 'a@x', '2013-01-01 00:00:00', 'meeting on top', 'C')"));
    const QStringList expected{"group", "", "top", "monthAgo", "justBefore", "recent"};
    QCOMPARE(idsOf(runSearch(ByJid, "meeting", 0)), expected);
    QCOMPARE(MessageSearch::lastPath(), MessageSearch::Path::Like);
    QVERIFY(index()->catchUp());
    QCOMPARE(indexedIds(ByJid, "meeting", 0), expected);
    QCOMPARE(likeIds(ByJid, "meeting", 0), expected);
    QCOMPARE(sideCount("SELECT count(*) FROM entry"), m_store->value("SELECT count(*) FROM msgrecord").toLongLong());
}

void tst_SearchIndex::catchUpAcrossSessions()
{
    fill();
    CLocalDataBase::Close();
    QVERIFY(m_store->exec("DELETE FROM msgrecord WHERE id = 'recent'"));
    QVERIFY(m_store->exec("UPDATE msgrecord SET true_content = 'meeting changed' WHERE id = 'umlaut'"));
    QVERIFY(m_store->exec("INSERT INTO msgrecord (id, jid, unique_jid, sender, time, true_content, message_flag) "
                          "VALUES ('late', 'p@x', 'p@x/pc', 'a@x', '2013-01-01 00:00:00', 'meeting later', 'C')"));
    m_store->closeRaw();
    QVERIFY(m_store->open());
    QCOMPARE(index()->state(), SearchIndex::State::Building);
    const QStringList expected{"umlaut", "group", "phone", "", "late", "monthAgo", "justBefore", "midnight"};
    QCOMPARE(idsOf(runSearch(ByJid, "meeting", 0)), expected);
    QCOMPARE(MessageSearch::lastPath(), MessageSearch::Path::Like);
    QVERIFY(index()->catchUp());
    QCOMPARE(indexedIds(ByJid, "meeting", 0), expected);

    // Unchanged since the last session: current at once.
    CLocalDataBase::Close();
    QVERIFY(m_store->open());
    QCOMPARE(index()->state(), SearchIndex::State::Current);
    QCOMPARE(indexedIds(ByJid, "meeting", 0), expected);
}

void tst_SearchIndex::catchUpRunsFromTheEventLoop()
{
    CLocalDataBase::Close();
    addRows(3000, "r", 1000);
    m_store->closeRaw();
    index()->setBatchSize(250);
    QVERIFY(m_store->open());
    QCOMPARE(index()->state(), SearchIndex::State::Building);
    QCOMPARE(idsOf(runSearch(ByJid, "needle", 0)), (QStringList{"r7", "r1007", "r2007"}));
    QCOMPARE(MessageSearch::lastPath(), MessageSearch::Path::Like);
    QSignalSpy current(index(), &SearchIndex::becameCurrent);
    QVERIFY(current.wait(20000));
    QCOMPARE(index()->state(), SearchIndex::State::Current);
    QVERIFY2(index()->progress().steps >= 12, qPrintable(QString::number(index()->progress().steps)));
    QCOMPARE(indexedIds(ByJid, "needle", 0), (QStringList{"r7", "r1007", "r2007"}));
}

void tst_SearchIndex::foreignWritesDuringAPassAreCaught()
{
    addRows(2000, "r", 500);
    CLocalDataBase::Close();
    m_store->closeRaw();
    index()->setBatchSize(200);
    QVERIFY(m_store->open());
    QCOMPARE(index()->state(), SearchIndex::State::Building);
    for (int i = 0; i < 4; ++i)
        QVERIFY(index()->step());
    // Behind the pass: a row goes, another changes its text in place.
    QVERIFY(m_store->exec("DELETE FROM msgrecord WHERE id = 'r7'"));
    QVERIFY(m_store->exec("UPDATE msgrecord SET true_content = 'a needle now' WHERE id = 'r100'"));
    const QStringList expected{"r100", "r507", "r1007", "r1507"};
    QCOMPARE(idsOf(runSearch(ByJid, "needle", 0)), expected);
    QCOMPARE(MessageSearch::lastPath(), MessageSearch::Path::Like);
    QVERIFY(index()->catchUp());
    QCOMPARE(index()->progress().passes, 2); // the counts disagreed after the first
    QCOMPARE(indexedIds(ByJid, "needle", 0), expected);
}

void tst_SearchIndex::ownWritesDuringAPassKeepItClean()
{
    addRows(2000, "r", 500);
    CLocalDataBase::Close();
    m_store->closeRaw();
    index()->setBatchSize(200);
    QVERIFY(m_store->open());
    for (int i = 0; i < 4; ++i)
        QVERIFY(index()->step());
    QVERIFY(CLocalDataBase::InsertMessage(message("own", "p@x/pc", "a@x", "2014-01-01 00:00:00", "own needle")));
    QVERIFY(CLocalDataBase::DeleteMessageById("r7"));
    QVERIFY(CLocalDataBase::DeleteMessageById("r1507"));
    QVERIFY(CLocalDataBase::MarkMessagesRead("p@x/pc", {"mid-own"}, QSqlDatabase::database()));
    QVERIFY(index()->catchUp());
    QCOMPARE(index()->progress().passes, 1);
    QCOMPARE(indexedIds(ByJid, "needle", 0), (QStringList{"r507", "r1007", "own"}));
    QCOMPARE(sideCount("SELECT count(*) FROM entry"), m_store->value("SELECT count(*) FROM msgrecord").toLongLong());
}

void tst_SearchIndex::aPluginTransactionHoldsTheCatchUp()
{
    fill();
    QSqlDatabase shared = QSqlDatabase::database();
    // A plug-in's transaction on the shared connection: the index writes nothing inside it.
    QVERIFY(shared.transaction());
    QSqlQuery query(shared);
    QVERIFY(query.exec("INSERT INTO msgrecord (id, jid, unique_jid, sender, time, true_content, message_flag) "
                       "VALUES ('plug', 'p@x', 'p@x/pc', 'a@x', '2013-01-01 00:00:00', 'plugged zebra', 'C')"));
    QCOMPARE(idsOf(runSearch(ByJid, "zebra", 0)), QStringList{"plug"});
    QCOMPARE(MessageSearch::lastPath(), MessageSearch::Path::Like);
    // The shell's own insert joins the plug-in's transaction, and goes with it.
    QVERIFY(CLocalDataBase::InsertMessage(message("own", "p@x/pc", "a@x", "2014-01-01 00:00:00", "own zebra")));
    QVERIFY(shared.rollback());
    QCOMPARE(idsOf(runSearch(ByJid, "zebra", 0)), QStringList{});
    index()->catchUp();
    QCOMPARE(indexedIds(ByJid, "zebra", 0), QStringList{});
    QCOMPARE(likeIds(ByJid, "zebra", 0), QStringList{});
    QVERIFY(shared.transaction());
    QVERIFY(query.exec("INSERT INTO msgrecord (id, jid, unique_jid, sender, time, true_content, message_flag) "
                       "VALUES ('plug2', 'p@x', 'p@x/pc', 'a@x', '2013-01-01 00:00:00', 'plugged zebra', 'C')"));
    QVERIFY(shared.commit());
    QCOMPARE(idsOf(runSearch(ByJid, "zebra", 0)), QStringList{"plug2"});
    QVERIFY(index()->catchUp());
    QCOMPARE(indexedIds(ByJid, "zebra", 0), QStringList{"plug2"});
}

void tst_SearchIndex::missingSideFileIsRebuilt()
{
    fill();
    CLocalDataBase::Close();
    QVERIFY(QFile::remove(sidePath()));
    QVERIFY(m_store->open());
    QVERIFY(QFileInfo::exists(sidePath()));
    QCOMPARE(index()->state(), SearchIndex::State::Building);
    QCOMPARE(idsOf(runSearch(ByJid, "50%", 0)), (QStringList{"pct", "bysender"}));
    QCOMPARE(MessageSearch::lastPath(), MessageSearch::Path::Like);
    QVERIFY(index()->catchUp());
    QCOMPARE(indexedIds(ByJid, "50%", 0), (QStringList{"pct", "bysender"}));
}

void tst_SearchIndex::corruptSideFileFallsBackAndIsRebuilt_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("garbage") << "garbage";
    QTest::newRow("truncated") << "truncated";
    QTest::newRow("empty") << "empty";
    QTest::newRow("foreign database") << "foreign";
}

void tst_SearchIndex::corruptSideFileFallsBackAndIsRebuilt()
{
    QFETCH(QString, damage);
    fill();
    CLocalDataBase::Close();
    QFile file(sidePath());
    if (damage == "garbage") {
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray(64 * 1024, 'x'));
    } else if (damage == "truncated") {
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(file.size() / 3));
    } else if (damage == "empty") {
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    } else {
        file.remove();
        QCOMPARE(StoreFixture::rowsIn(sidePath(), "CREATE TABLE something (x)"), QStringList());
    }
    file.close();
    LogCapture log;
    QVERIFY(m_store->open());
    // Whatever the damage, the search answers right, by scanning if need be.
    QCOMPARE(idsOf(runSearch(ByJid, "50%", 0)), (QStringList{"pct", "bysender"}));
    QCOMPARE(idsOf(runSearch(ByJid, "meeting", 1)), (QStringList{"midnight", "recent"}));
    QVERIFY2(index()->catchUp(), qPrintable(log.lines().join('\n')));
    QCOMPARE(indexedIds(ByJid, "50%", 0), (QStringList{"pct", "bysender"}));
    QCOMPARE(indexedIds(ByJid, "meeting", 1), (QStringList{"midnight", "recent"}));
    QCOMPARE(sideCount("SELECT count(*) FROM entry"), m_store->value("SELECT count(*) FROM msgrecord").toLongLong());
}

void tst_SearchIndex::damageFoundBySearchFallsBackAndIsRebuilt()
{
    fill();
    QCOMPARE(index()->state(), SearchIndex::State::Current);
    // Somebody else drops the index table under the open connection.
    QCOMPARE(StoreFixture::rowsIn(sidePath(), "DROP TABLE fts"), QStringList());
    LogCapture log;
    QCOMPARE(idsOf(runSearch(ByJid, "50%", 0)), (QStringList{"pct", "bysender"}));
    QCOMPARE(MessageSearch::lastPath(), MessageSearch::Path::Like);
    QCOMPARE(index()->state(), SearchIndex::State::Building);
    QVERIFY(index()->catchUp());
    QCOMPARE(indexedIds(ByJid, "50%", 0), (QStringList{"pct", "bysender"}));
}

void tst_SearchIndex::detachedByOthersIsAttachedAgain()
{
    fill();
    QVERIFY(QSqlQuery(QSqlDatabase::database()).exec("DETACH DATABASE lumio_search"));
    LogCapture log;
    QCOMPARE(idsOf(runSearch(ByJid, "50%", 0)), (QStringList{"pct", "bysender"}));
    QCOMPARE(MessageSearch::lastPath(), MessageSearch::Path::Like);
    // Attached again without a rebuild; what happened meanwhile is verified first.
    QVERIFY(index()->catchUp());
    QCOMPARE(index()->progress().rebuilds, 0);
    QCOMPARE(indexedIds(ByJid, "50%", 0), (QStringList{"pct", "bysender"}));
}

void tst_SearchIndex::dataDbStaysPlainSqlite()
{
    fill();
    QVERIFY(CLocalDataBase::DeleteMessageById("pct"));
    QCOMPARE(indexedIds(ByJid, "50%", 0), QStringList{"bysender"});
    // Only tables and indexes in data.db, none of them virtual or part of a full-text index.
    QCOMPARE(m_store->rows("SELECT type, name FROM sqlite_master WHERE type NOT IN ('table', 'index') OR "
                           "sql LIKE '%VIRTUAL%' OR sql LIKE '%fts%' OR name LIKE '%fts%' OR name LIKE '%search%'"),
             QStringList{});
    QCOMPARE(m_store->rows("SELECT name FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL ORDER BY name"),
             (QStringList{"msgrecord_index1", "msgrecord_index2", "msgrecord_index3", "msgrecord_sender_index",
                          "pubaccmsgtable_index1"}));
    CLocalDataBase::Close();
    m_store->closeRaw();
    const QString sqlite3 = QStandardPaths::findExecutable("sqlite3");
    if (sqlite3.isEmpty())
        QSKIP("no sqlite3 command-line program");
    QProcess process;
    process.start(sqlite3, {"-batch", "-bail", m_store->databasePath(),
                            "PRAGMA integrity_check; SELECT count(*) FROM msgrecord; "
                            "INSERT INTO msgrecord (id, true_content) VALUES ('cli', 'from the shell');"});
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
             (QStringList{"ok", "30"}));
    // The row the other program wrote is found once the store is open again.
    QVERIFY(m_store->open());
    QCOMPARE(idsOf(runSearch(All, "from the", 0)), QStringList{"cli"});
    QVERIFY(index()->catchUp());
    QCOMPARE(indexedIds(All, "from the", 0), QStringList{"cli"});
}

QTEST_GUILESS_MAIN(tst_SearchIndex)
#include "tst_SearchIndex.moc"
