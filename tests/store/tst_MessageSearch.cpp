#include "StoreFixture.h"
#include "store/SearchIndex.h"

#include <QDate>
#include <QtTest>

namespace {

struct Row
{
    const char *id;
    const char *uniqueJid;
    const char *sender;
    const char *flag;
    QString time;
    QString text;
};

enum Scope { ByJid, ByFlag, ConversationByJid, Conversation };

QList<DBMessageSave> runSearch(int scope, const QString &keyword, int rangeCode)
{
    switch (scope) {
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

} // namespace

class tst_MessageSearch : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void searches_data();
    void searches();
    // The same cases once the side index is current: the index picks the candidates.
    void searchesOnTheIndex_data();
    void searchesOnTheIndex();
    void rangeStarts();
    void conversationScopeIgnoresJid();

private:
    StoreFixture *m_store = nullptr;
};

void tst_MessageSearch::initTestCase()
{
    m_store = new StoreFixture;
    QVERIFY(m_store->open());
    const QString old = "2010-03-04 05:06:07";
    const QList<Row> rows{
        {"pct", "p@x/pc", "a@x", "C", old, "discount 50% today"},
        {"num", "p@x/pc", "a@x", "C", old, "discount 500 today"},
        {"bysender", "p@x/pc", "50%", "C", old, "unrelated words"},
        {"under", "p@x/pc", "a@x", "C", old, "snake a_b case"},
        {"nounder", "p@x/pc", "a@x", "C", old, "snake axb case"},
        {"bang", "p@x/pc", "a@x", "C", old, "wow!% really"},
        {"quote", "p@x/pc", "a@x", "C", old, "it's fine"},
        {"inject", "p@x/pc", "a@x", "C", old, "literally x' OR '1'='1 here"},
        {"cjk", "p@x/pc", "a@x", "C", old, "我们明天开会讨论你好世界"},
        {"cjk2", "p@x/pc", "a@x", "C", old, "你好"},
        {"upper", "p@x/pc", "a@x", "C", old, "HELLO World"},
        {"umlaut", "p@x/pc", "a@x", "C", old, "Ärger"},
        {"recent", "p@x/pc", "a@x", "C", daysAgo(1, "09:00:00"), "meeting notes"},
        {"midnight", "p@x/pc", "a@x", "C", daysAgo(7, "00:00:00"), "meeting at midnight"},
        {"justBefore", "p@x/pc", "a@x", "C", daysAgo(8, "23:59:59"), "meeting before"},
        {"monthAgo", "p@x/pc", "a@x", "C", QDate::currentDate().addMonths(-1).toString("yyyy-MM-dd") + " 00:00:00",
         "meeting a month ago"},
        {"tie2", "p@x/pc", "a@x", "C", "2011-01-01 00:00:00", "tie breaker second"},
        {"tie1", "p@x/pc", "a@x", "C", "2011-01-01 00:00:00", "tie breaker first"},
        {"group", "p@x/pc", "a@x", "G", old, "group meeting"},
        {"phone", "p@x/phone", "a@x", "C", old, "meeting on the phone"},
        {"otherjid", "q@x/pc", "a@x", "C", old, "meeting elsewhere"},
    };
    QList<DBMessageSave> messages;
    for (const Row &row : rows) {
        DBMessageSave m;
        m.id = row.id;
        m.unique_jid = row.uniqueJid;
        m.jid = m.unique_jid.section('/', 0, 0);
        m.sender = row.sender;
        m.message_flag = row.flag;
        m.time = row.time;
        m.true_content = row.text;
        messages << m;
    }
    QVERIFY(CLocalDataBase::InsertMessages(messages, QSqlDatabase::database()));
    // The first cases run while the side index is still catching up: they take the LIKE path.
    QCOMPARE(SearchIndex::instance()->state(), SearchIndex::State::Building);
}

void tst_MessageSearch::cleanupTestCase()
{
    delete m_store;
}

void tst_MessageSearch::searches_data()
{
    QTest::addColumn<int>("scope");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<int>("range");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("percent is literal, sender compared raw") << int(ByJid) << "50%" << 0 << QStringList{"pct", "bysender"};
    QTest::newRow("underscore is literal") << int(ByJid) << "a_b" << 0 << QStringList{"under"};
    QTest::newRow("escape character is literal") << int(ByJid) << "!%" << 0 << QStringList{"bang"};
    QTest::newRow("apostrophe") << int(ByJid) << "it's" << 0 << QStringList{"quote"};
    QTest::newRow("injection is text") << int(ByJid) << "x' OR '1'='1" << 0 << QStringList{"inject"};
    QTest::newRow("cjk") << int(ByJid) << "你好世界" << 0 << QStringList{"cjk"};
    QTest::newRow("cjk two characters") << int(ByJid) << "你好" << 0 << QStringList{"cjk", "cjk2"};
    QTest::newRow("ascii case folds") << int(ByJid) << "hello" << 0 << QStringList{"upper"};
    QTest::newRow("other case is exact") << int(ByJid) << "ärger" << 0 << QStringList{};
    QTest::newRow("no hit") << int(ByJid) << "nothing like it" << 0 << QStringList{};
    QTest::newRow("ties keep insertion order") << int(ByJid) << "tie breaker" << 0 << QStringList{"tie2", "tie1"};
    QTest::newRow("by jid, all time")
        << int(ByJid) << "meeting" << 0
        << QStringList{"group", "phone", "monthAgo", "justBefore", "midnight", "recent"};
    QTest::newRow("seven days include midnight of the first day")
        << int(ByJid) << "meeting" << 1 << QStringList{"midnight", "recent"};
    QTest::newRow("one month") << int(ByJid) << "meeting" << 2
                               << QStringList{"monthAgo", "justBefore", "midnight", "recent"};
    QTest::newRow("three months") << int(ByJid) << "meeting" << 3
                                  << QStringList{"monthAgo", "justBefore", "midnight", "recent"};
    QTest::newRow("code 5 is everything")
        << int(ByJid) << "meeting" << 5
        << QStringList{"group", "phone", "monthAgo", "justBefore", "midnight", "recent"};
    QTest::newRow("by flag") << int(ByFlag) << "meeting" << 0 << QStringList{"group"};
    QTest::newRow("conversation by jid")
        << int(ConversationByJid) << "meeting" << 0
        << QStringList{"group", "monthAgo", "justBefore", "midnight", "recent"};
    QTest::newRow("conversation, seven days") << int(Conversation) << "meeting" << 1
                                              << QStringList{"midnight", "recent"};
}

void tst_MessageSearch::searches()
{
    QFETCH(int, scope);
    QFETCH(QString, keyword);
    QFETCH(int, range);
    QFETCH(QStringList, expected);
    QCOMPARE(idsOf(runSearch(scope, keyword, range)), expected);
    QCOMPARE(MessageSearch::lastPath(), MessageSearch::Path::Like);
}

void tst_MessageSearch::searchesOnTheIndex_data()
{
    searches_data();
}

void tst_MessageSearch::searchesOnTheIndex()
{
    QFETCH(int, scope);
    QFETCH(QString, keyword);
    QFETCH(int, range);
    QFETCH(QStringList, expected);
    QVERIFY(SearchIndex::instance()->catchUp());
    QCOMPARE(idsOf(runSearch(scope, keyword, range)), expected);
    QCOMPARE(MessageSearch::lastPath(), MessageSearch::codePoints(keyword) >= MessageSearch::MinIndexedLength
                                            ? MessageSearch::Path::Indexed
                                            : MessageSearch::Path::Like);
}

void tst_MessageSearch::rangeStarts()
{
    const QDate today = QDate::currentDate();
    QCOMPARE(CLocalDataBase::TimeRangeStart(1), today.addDays(-7).toString("yyyy-MM-dd") + " 00:00:00.000");
    QCOMPARE(CLocalDataBase::TimeRangeStart(2), today.addMonths(-1).toString("yyyy-MM-dd") + " 00:00:00.000");
    QCOMPARE(CLocalDataBase::TimeRangeStart(3), today.addMonths(-3).toString("yyyy-MM-dd") + " 00:00:00.000");
    for (int code : {0, 4, 5, -1})
        QCOMPARE(CLocalDataBase::TimeRangeStart(code), QString());
}

void tst_MessageSearch::conversationScopeIgnoresJid()
{
    DBMessageSave m;
    m.id = "foreign";
    m.jid = "someone-else@x";
    m.unique_jid = "p@x/pc";
    m.true_content = "unique marker text";
    QVERIFY(CLocalDataBase::InsertMessage(m));
    QCOMPARE(idsOf(CLocalDataBase::SearchConversation("p@x", "/pc", "unique marker", 0)), QStringList{"foreign"});
    QCOMPARE(idsOf(CLocalDataBase::SearchConversationByJid("p@x", "/pc", "unique marker", 0)), QStringList{});
    QVERIFY(CLocalDataBase::DeleteMessageById("foreign"));
}

QTEST_GUILESS_MAIN(tst_MessageSearch)
#include "tst_MessageSearch.moc"
