#include "LogCapture.h"
#include "MainWindowHarness.h"
#include "mainwindow/MainWindowSeams.h"
#include "mainwindow/SystemMenu.h"
#include "store/CLocalDataBase.h"

#include <QSignalSpy>
#include <QUrl>
#include <QtTest>

using namespace mw;

namespace {

struct Fixture
{
    TestEnvironment env;
    QString root = env.home() + QStringLiteral("/msg");
    QString appDir = env.home() + QStringLiteral("/app");
    QStringList order;
    QStringList notices;
    bool answer = false;
    int questions = 0;
    MainWindowSeams seams = MainWindowSeams::defaults();
    std::unique_ptr<SystemMenu> menu;

    Fixture()
    {
        QDir().mkpath(appDir);
        QDir().mkpath(root + QStringLiteral("/alice"));
        seams.applicationDir = [this] { return appDir; };
        seams.notify = [this](const QString &, const QString &text) { notices << text; };
        const auto realStart = seams.startDetached;
        seams.startDetached = [this, realStart](const QString &program, const QStringList &args) {
            order << QStringLiteral("start");
            return realStart(program, args);
        };
        menu = std::make_unique<SystemMenu>(&seams);
        menu->messageRoot = [this] { return root; };
        menu->closeDatabase = [this] { order << QStringLiteral("close"); CLocalDataBase::Close(); };
        menu->reopenDatabase = [](const QString &, const QString &) {};
        menu->waitDialog = [](bool) {};
        menu->confirm = [this](const QString &, const QString &) { ++questions; return answer; };
    }

    void installRepairProgram()
    {
        const QString record = env.home() + QStringLiteral("/repair.txt");
        TestEnvironment::writeText(appDir + QStringLiteral("/DataBaseRepari"),
                                   "#!/bin/sh\necho \"$@\" > '" + record.toUtf8() + "'\n");
        TestEnvironment::writeText(appDir + QStringLiteral("/sqlite3"), "#!/bin/sh\nexit 0\n");
        for (const char *name : {"/DataBaseRepari", "/sqlite3"})
            QFile::setPermissions(appDir + QLatin1String(name),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    void createDatabase()
    {
        QVERIFY(CLocalDataBase::Open(QStringLiteral("alice"), root, true));
        CLocalDataBase::Close();
    }
};

} // namespace

class tst_SystemMenu : public QObject
{
    Q_OBJECT
private slots:
    void missingDatabaseSaidFirst();
    void missingRepairProgramOnlyLogs();
    void healthyDatabaseNeedsNoRepair();
    void damagedDatabaseHandedToRepairAfterClose();
    void passwordAddress();
};

void tst_SystemMenu::missingDatabaseSaidFirst()
{
    Fixture f;
    QVERIFY(!f.menu->checkAndRepair(QStringLiteral("alice")));
    QCOMPARE(f.notices, QStringList{QStringLiteral("数据库文件不存在，请联系Lumio团队.")});
    QVERIFY(!f.menu->checkDB(QString()));
    QVERIFY(f.order.isEmpty());
}

void tst_SystemMenu::missingRepairProgramOnlyLogs()
{
    Fixture f;
    f.createDatabase();
    LogCapture log;
    QVERIFY(!f.menu->checkDB(QStringLiteral("alice")));
    QVERIFY(log.contains(QStringLiteral("SystemMenu::checkDB:sqlite3.exe not exists")));
    QVERIFY(f.notices.isEmpty());
    QCOMPARE(f.questions, 0);
}

void tst_SystemMenu::healthyDatabaseNeedsNoRepair()
{
    Fixture f;
    f.installRepairProgram();
    f.createDatabase();
    QVERIFY(!f.menu->checkAndRepair(QStringLiteral("alice")));
    QCOMPARE(f.notices, QStringList{QStringLiteral("数据库未损坏，不需要修复，如有问题请联系Lumio团队.")});
    QCOMPARE(f.questions, 0);
    QVERIFY(f.order.isEmpty());
}

void tst_SystemMenu::damagedDatabaseHandedToRepairAfterClose()
{
    Fixture f;
    f.installRepairProgram();
    QByteArray garbage(8192, 'x');
    garbage.prepend("SQLite format 3");
    TestEnvironment::writeText(f.root + QStringLiteral("/alice/data.db"), garbage);
    QSignalSpy closing(f.menu.get(), &SystemMenu::signal_close);

    // Declined: the program keeps running with its database.
    QVERIFY(!f.menu->checkAndRepair(QStringLiteral("alice")));
    QCOMPARE(f.questions, 1);
    QVERIFY(f.order.isEmpty());
    QCOMPARE(closing.count(), 0);

    f.answer = true;
    QVERIFY(f.menu->checkAndRepair(QStringLiteral("alice")));
    QCOMPARE(f.order, (QStringList{QStringLiteral("close"), QStringLiteral("start")}));
    QCOMPARE(closing.count(), 1);
    const QString record = f.env.home() + QStringLiteral("/repair.txt");
    QTRY_VERIFY(!TestEnvironment::readText(record).isEmpty());
    QCOMPARE(TestEnvironment::readText(record).trimmed(),
             ("datapath:" + f.root + QStringLiteral("/alice")).toUtf8());
}

void tst_SystemMenu::passwordAddress()
{
    QCOMPARE(SystemMenu::passwordUrl(QStringLiteral("https://id.example.com/pwd?user="),
                                     QStringLiteral("a b&c=d")).toString(QUrl::FullyEncoded),
             QStringLiteral("https://id.example.com/pwd?user=a%20b%26c%3Dd"));
    QVERIFY(SystemMenu::passwordUrl(QStringLiteral("file:///etc/passwd?"), QStringLiteral("a")).isEmpty());
    QVERIFY(SystemMenu::passwordUrl(QStringLiteral("javascript:alert(1)//"), QStringLiteral("a")).isEmpty());
    QVERIFY(SystemMenu::passwordUrl(QString(), QStringLiteral("a")).isEmpty());
}

QTEST_MAIN(tst_SystemMenu)
#include "tst_SystemMenu.moc"
