#include "StoreFixture.h"
#include "store/SearchIndex.h"

#include <QDate>
#include <QtTest>

// What each search finds, by either path, is the search index's test; here only the
// range starts and the conversation scope's own rule.
class tst_MessageSearch : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void rangeStarts();
    void conversationScopeIgnoresJid();

private:
    StoreFixture *m_store = nullptr;
};

void tst_MessageSearch::initTestCase()
{
    m_store = new StoreFixture;
    QVERIFY(m_store->open());
}

void tst_MessageSearch::cleanupTestCase()
{
    delete m_store;
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
    QVERIFY(SearchIndex::instance()->catchUp());
    for (bool indexed : {true, false}) {
        SearchIndex::instance()->setEnabled(indexed);
        QCOMPARE(idsOf(CLocalDataBase::SearchConversation("p@x", "/pc", "unique marker", 0)), QStringList{"foreign"});
        QCOMPARE(MessageSearch::lastPath(), indexed ? MessageSearch::Path::Indexed : MessageSearch::Path::Like);
        QCOMPARE(idsOf(CLocalDataBase::SearchConversationByJid("p@x", "/pc", "unique marker", 0)), QStringList{});
    }
    SearchIndex::instance()->setEnabled(true);
    QVERIFY(CLocalDataBase::DeleteMessageById("foreign"));
}

QTEST_GUILESS_MAIN(tst_MessageSearch)
#include "tst_MessageSearch.moc"
