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
    void sameAddressTwiceKeepsTheLaterOne();
    void brokenAndForeignLibrariesAreSkipped();
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
    QVERIFY(manager.plugin(Alpha));
    QVERIFY(!manager.plugin(Charlie));
    QVERIFY(log.contains(QStringLiteral("entry fun PluginManager::loadPlugin()")));
    QVERIFY(log.contains(QStringLiteral("exit fun PluginManager::loadPlugin()")));
    QVERIFY(log.contains(QStringLiteral("成功")));

    // Each loaded plug-in was given the bus and the shared log.
    QObject *alpha = manager.plugin(Alpha)->receiver();
    bool hasLogger = false;
    QMetaObject::invokeMethod(alpha, "hasLogger", Q_RETURN_ARG(bool, hasLogger));
    QVERIFY(!hasLogger); // none was set on this manager

    const QStringList defaults = PluginManager::defaultNames();
    QCOMPARE(defaults.size(), 15);
    QVERIFY(defaults.contains(QStringLiteral("libloginmanager.so")));
}

void tst_PluginManager::sameAddressTwiceKeepsTheLaterOne()
{
    TestEnvironment env;
    const QString folder = env.pluginFolder({"bravo.so", "bravo_twin.so", "alpha.so"});
    PluginManager manager;
    manager.setPluginFolder(folder);
    manager.setNameList({"bravo.so", "bravo_twin.so", "alpha.so"});
    QStringList loadedOrder;
    connect(&manager, &PluginManager::pluginLoaded, this,
            [&](const QString &address) { loadedOrder.append(address); });
    manager.loadPlugin();

    QCOMPARE(manager.plugins().size(), 2);
    QCOMPARE(manager.loadedAddresses().count(Bravo), 1);
    QCOMPARE(loadedOrder.count(Bravo), 2);
    QCOMPARE(manager.routes().size(), 2);
    // Table in ascending address order whatever the load order.
    QCOMPARE(manager.routes().at(0).address, Alpha);
    QCOMPARE(manager.routes().at(1).address, Bravo);
}

void tst_PluginManager::brokenAndForeignLibrariesAreSkipped()
{
    TestEnvironment env;
    const QString folder = env.pluginFolder({"foreign.so", "noreceiver.so", "alpha.so"});
    TestEnvironment::writeText(folder + "/garbage.so", "this is not a library");
    PluginManager manager;
    manager.setPluginFolder(folder);
    manager.setNameList({"foreign.so", "noreceiver.so", "garbage.so", "alpha.so"});
    LogCapture log;
    manager.loadPlugin();

    QCOMPARE(manager.loadedAddresses(), QStringList{Alpha});
    int failures = 0;
    for (const QString &line : log.lines()) {
        if (line.startsWith(QStringLiteral("[Info] 加载")) && line.contains(QStringLiteral("失败")))
            ++failures;
    }
    QCOMPARE(failures, 2);
    QVERIFY(log.contains(QStringLiteral("has no receiver")));

    PluginManager empty;
    empty.setPluginFolder(env.root() + "/does-not-exist");
    empty.loadPlugin();
    QVERIFY(empty.plugins().isEmpty());
}

void tst_PluginManager::nameListFromAllUrlIni()
{
    TestEnvironment env;
    const QString ini = env.root() + "/allurl.ini";
    // Written as raw text: an unquoted comma list reads as a list in QSettings.
    TestEnvironment::writeText(ini, "[plugins]\ndlls=alpha.so, bravo.so ,charlie.so\n[other]\nx=1\n");
    CUrlInfo urls;
    QVERIFY(urls.load(ini));
    QCOMPARE(urls.pluginNames(), (QStringList{"alpha.so", "bravo.so", "charlie.so"}));

    TestEnvironment::writeText(ini, "[plugins]\ndlls=\"alpha.so,bravo.so\"\n");
    QVERIFY(urls.load(ini));
    QCOMPARE(urls.pluginNames(), (QStringList{"alpha.so", "bravo.so"}));

    TestEnvironment::writeText(ini, "[plugins]\ndlls=single.so\n");
    QVERIFY(urls.load(ini));
    QCOMPARE(urls.pluginNames(), QStringList{"single.so"});

    // Missing, empty or unreadable: the built-in names.
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
