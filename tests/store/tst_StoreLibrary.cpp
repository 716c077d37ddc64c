#include "StoreFixture.h"
#include "store/SearchIndex.h"

#include <QPluginLoader>
#include <QtTest>

// The store is one shared library for the shell and its plug-ins: what a plug-in opens and
// writes through it, the shell's search sees on the same handle and the same index.
class tst_StoreLibrary : public QObject
{
    Q_OBJECT
private slots:
    void pluginWritesShellFindsThroughTheIndex();
};

void tst_StoreLibrary::pluginWritesShellFindsThroughTheIndex()
{
    StoreFixture store;
    QPluginLoader loader(TestEnvironment::fixtureDir() + QStringLiteral("/storeparty.so"));
    QObject *plugin = loader.instance();
    QVERIFY2(plugin, qPrintable(loader.errorString()));

    bool stored = false;
    QVERIFY(QMetaObject::invokeMethod(plugin, "logInAndStore", Q_RETURN_ARG(bool, stored),
                                      Q_ARG(QString, store.root()), Q_ARG(QString, QStringLiteral("alice")),
                                      Q_ARG(QStringList, (QStringList{"zebra crossing", "no hit", "a zebra too"}))));
    QVERIFY(stored);

    // No catch-up on this side: the plug-in's inserts kept the one index current.
    QCOMPARE(SearchIndex::instance()->state(), SearchIndex::State::Current);
    QCOMPARE(idsOf(CLocalDataBase::SearchMessagesByJid("p@x", "zebra", 0)), (QStringList{"plugin0", "plugin2"}));
    QCOMPARE(MessageSearch::lastPath(), MessageSearch::Path::Indexed);
    QCOMPARE(SearchIndex::instance()->sideFile(), QFileInfo(store.databasePath()).absolutePath() + "/data.search");
}

QTEST_GUILESS_MAIN(tst_StoreLibrary)
#include "tst_StoreLibrary.moc"
