#include "LogCapture.h"
#include "StoreFixture.h"
#include "app/SystemSetData.h"
#include "common/CommonFun.h"
#include "app/AccountDatabaseLogin.h"

#include <QtTest>

class tst_AccountDatabaseLogin : public QObject
{
    Q_OBJECT
private slots:
    void opensTheFolderTheCheckUses();
    void usesTheSettingsMessageFileRoot();
    void refusesJidsWithoutFolder();
};

void tst_AccountDatabaseLogin::opensTheFolderTheCheckUses()
{
    StoreFixture store;
    const QString jid = "Wangzqwu@corp.example/pc";
    QVERIFY(AccountDatabaseLogin::openAfterLogin(jid, store.root()));
    const QString folder = CommonFun::jidToFolderName(jid);
    QCOMPARE(folder, QString("wangwu"));
    QVERIFY(QFileInfo(store.root() + "/wangwu/data.db").isFile());
    QVERIFY(CLocalDataBase::TableExists("msgrecord")); // the full schema, on the default connection
    LoginInfo info;
    info.account = "wangwu";
    QVERIFY(CLocalDataBase::SaveLoginInfo(info));
    QVERIFY(CLocalDataBase::CheckDatabase(folder, store.root(), true));
}

void tst_AccountDatabaseLogin::usesTheSettingsMessageFileRoot()
{
    StoreFixture store;
    const QString ini = store.home() + "/IMInfo.ini";
    QVERIFY(TestEnvironment::writeText(ini, "[msgSetting]\nmsgfilepath=" + store.root().toUtf8() + "/fromini\n"));
    SystemSetData::instance()->initCommonData(ini);
    QVERIFY(AccountDatabaseLogin::openAfterLogin("zhaoliu@corp"));
    QVERIFY(QFileInfo(store.root() + "/fromini/zhaoliu/data.db").isFile());
}

void tst_AccountDatabaseLogin::refusesJidsWithoutFolder()
{
    StoreFixture store;
    LogCapture log;
    QVERIFY(!AccountDatabaseLogin::openAfterLogin(QString(), store.root()));
    QVERIFY(!AccountDatabaseLogin::openAfterLogin("@corp", store.root()));
    QVERIFY(!QFileInfo::exists(store.root() + "/data.db"));
    QVERIFY(log.contains("names no account folder"));
}

QTEST_GUILESS_MAIN(tst_AccountDatabaseLogin)
#include "tst_AccountDatabaseLogin.moc"
