#include "LogCapture.h"
#include "TestEnvironment.h"
#include "bus/PLuginData.h"
#include "bus/PluginFileFinder.h"
#include "bus/PluginManager.h"
#include "endpoints/CUrlInfo.h"

#include <lumio/PluginInterface.h>

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {
const QString Alpha = QStringLiteral("{AAAAAAAA-0000-0000-0000-000000000001}");
const QString Bravo = QStringLiteral("{BBBBBBBB-0000-0000-0000-000000000002}");
const QString Charlie = QStringLiteral("{CCCCCCCC-0000-0000-0000-000000000003}");
}

class tst_PluginManager : public QObject
{
    Q_OBJECT
private slots:
    void loadsOnlyConfiguredLibrariesInTheFolder();
    void recordsSayWhatBecameOfEachLibrary();
    void nameListFromAllUrlIni();
    void subscriptionsNeedAKnownSender();
};

void tst_PluginManager::loadsOnlyConfiguredLibrariesInTheFolder()
{
    TestEnvironment env;
    const QString folder = env.pluginFolder({"alpha.so", "bravo.so", "charlie.so"});
    QFile::rename(folder + "/charlie.so", folder + "/charlie.SO");
    QDir(folder).mkpath("sub");
    QFile::copy(TestEnvironment::fixtureDir() + "/silent.so", folder + "/sub/silent.so");
    QFile::link(folder + "/bravo.so", folder + "/linked.so");

    PluginManager manager;
    manager.setPluginFolder(folder);
    // Blanks around names are trimmed; a name with no file is silently absent.
    manager.setNameList(PluginFileFinder::splitNames(
        QStringLiteral(" alpha.so , charlie.SO,silent.so,linked.so,,missing.so")));
    LogCapture log;
    manager.loadPlugin();

    QCOMPARE(manager.loadedAddresses(), QStringList{Alpha});
    QVERIFY(!manager.plugin(Charlie));

    // Each loaded plug-in was given the bus and the shared log.
    QObject *alpha = manager.plugin(Alpha)->receiver();
    bool hasLogger = false;
    QMetaObject::invokeMethod(alpha, "hasLogger", Q_RETURN_ARG(bool, hasLogger));
    QVERIFY(!hasLogger); // none was set on this manager

    QVERIFY(PluginManager::defaultNames().contains(QStringLiteral("libloginmanager.so")));
}

void tst_PluginManager::recordsSayWhatBecameOfEachLibrary()
{
    TestEnvironment env;
    const QString folder = env.pluginFolder(
        {"bravo_twin.so", "bravo.so", "alpha.so", "foreign.so", "noreceiver.so"});
    TestEnvironment::writeText(folder + "/garbage.so", "this is not a library");
    PluginManager manager;
    manager.setPluginFolder(folder);
    manager.setNameList({"bravo.so", "foreign.so", "missing.so", "bravo_twin.so", "garbage.so",
                         "noreceiver.so", "alpha.so"});
    QStringList loadedOrder;
    connect(&manager, &PluginManager::pluginLoaded, this,
            [&](const QString &address) { loadedOrder.append(address); });
    LogCapture log;
    manager.loadPlugin();

    QHash<QString, PluginRecord> byFile;
    for (const PluginRecord &record : manager.records())
        byFile.insert(record.file, record);
    QCOMPARE(byFile.size(), 7);
    using State = PluginRecord::State;
    QCOMPARE(byFile["alpha.so"].state, State::Loaded);
    QCOMPARE(byFile["alpha.so"].address, Alpha);
    QCOMPARE(byFile["alpha.so"].path, folder + "/alpha.so");
    QCOMPARE(byFile["missing.so"].state, State::Missing);
    QVERIFY(byFile["missing.so"].path.isEmpty());
    QCOMPARE(byFile["foreign.so"].state, State::NotAPlugin);
    QCOMPARE(byFile["garbage.so"].state, State::NotAPlugin);
    QCOMPARE(byFile["noreceiver.so"].state, State::NoReceiver);
    for (const PluginRecord &record : byFile) {
        if (!record.isLoaded())
            QVERIFY2(!record.error.isEmpty(), qPrintable(record.file));
    }

    // The later library in the list takes the address over, and the earlier one says so.
    QCOMPARE(byFile["bravo.so"].state, State::DuplicateAddress);
    QCOMPARE(byFile["bravo.so"].replacedBy, QStringLiteral("bravo_twin.so"));
    QCOMPARE(byFile["bravo_twin.so"].state, State::Loaded);
    QCOMPARE(loadedOrder.count(Bravo), 2);
    QCOMPARE(manager.loadedAddresses(), (QStringList{Bravo, Alpha}));
    QCOMPARE(manager.routes().size(), 2);
    QCOMPARE(manager.routes().at(0).address, Alpha); // ascending whatever the load order
    QCOMPARE(manager.routes().at(1).address, Bravo);
    QVERIFY(log.contains(QStringLiteral("bravo_twin.so replaces")));
    QVERIFY(log.contains(QStringLiteral("plug-in bravo.so: duplicate address")));
    QVERIFY(log.contains(QStringLiteral("plug-in missing.so: missing")));

    PluginManager empty;
    empty.setPluginFolder(env.root() + "/does-not-exist");
    empty.loadPlugin();
    QVERIFY(empty.plugins().isEmpty());
}

void tst_PluginManager::nameListFromAllUrlIni()
{
    // How the list itself is read is the URL table's test; here: missing, empty or unreadable
    // gives the built-in names.
    TestEnvironment env;
    const QString ini = env.root() + "/allurl.ini";
    CUrlInfo urls;
    const QString folder = env.pluginFolder({}, "defaults");
    QFile::copy(TestEnvironment::fixtureDir() + "/alpha.so", folder + "/libloginmanager.so");
    for (const QByteArray &text : {QByteArray("[plugins]\ndlls=\n"), QByteArray("[plugins]\n"),
                                   QByteArray("\x01\x02garbage=[[\n")}) {
        TestEnvironment::writeText(ini, text);
        urls.load(ini);
        QVERIFY(urls.pluginNames().isEmpty());
    }
    PluginManager manager;
    manager.setNameList(urls.pluginNames());
    manager.setPluginFolder(folder);
    manager.loadPlugin();
    QCOMPARE(manager.loadedAddresses(), QStringList{Alpha});
    QVERIFY(!urls.load(env.root() + "/missing.ini"));

    PluginManager blanks;
    blanks.setNameList({" ", ""});
    blanks.setPluginFolder(env.pluginFolder({}, "empty"));
    blanks.loadPlugin();
    QVERIFY(blanks.plugins().isEmpty());
}

void tst_PluginManager::subscriptionsNeedAKnownSender()
{
    PLuginData data;
    LogCapture log;
    QVERIFY(!data.addSubscription(Alpha, 1, Bravo));
    QVERIFY(log.contains(QStringLiteral("sender is not exist!")));
    QVERIFY(!data.removeSubscription(Alpha, 1, Bravo));

    data.addKnownSender(Alpha);
    QVERIFY(data.removeSubscription(Alpha, 1, Bravo));
    QVERIFY(data.addSubscription(Alpha, 1, Bravo));
    QVERIFY(data.addSubscription(Alpha, 1, Bravo));
    QVERIFY(data.addSubscription(Alpha, 1, Charlie));
    QVERIFY(data.addSubscription(Alpha, 2, Charlie));
    QCOMPARE(data.subscribers(Alpha, 1), (QStringList{Bravo, Charlie}));
    QVERIFY(data.removeSubscription(Alpha, 1, Bravo));
    QVERIFY(data.removeSubscription(Alpha, 9, Bravo));
    QCOMPARE(data.subscribers(Alpha, 1), QStringList{Charlie});
    QCOMPARE(data.subscribers(Alpha, 2), QStringList{Charlie});
    QVERIFY(data.subscribers(Bravo, 1).isEmpty());
}

QTEST_GUILESS_MAIN(tst_PluginManager)
#include "tst_PluginManager.moc"
