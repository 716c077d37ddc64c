#include "LogCapture.h"
#include "StoreFixture.h"

#include <QtTest>

namespace {

LoginInfo account(const QString &name, const QString &loginTime)
{
    LoginInfo info;
    info.account = name;
    info.trueAccount = name + "@corp";
    info.password = "p1";
    info.password2 = "p2";
    info.showType = 1;
    info.isSavePassword = 1;
    info.isAutoLogin = 1;
    info.photoUrl = "http://photo/" + name;
    info.loginTime = loginTime;
    return info;
}

QStringList accountsOf(const QList<LoginInfo> &infos)
{
    QStringList names;
    for (const LoginInfo &info : infos)
        names << info.account;
    return names;
}

} // namespace

class tst_LoginStore : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void saveTwiceKeepsOneRowAndTheProfile();
    void profileAndAutoLoginNeedARow();
    void lookupsAndOrder();
    void quotesAndWildcardsAreText();
    void deleteAndMissingRows();
    void oldLoginTableGainsProfileColumns();

private:
    StoreFixture *m_store = nullptr;
};

void tst_LoginStore::init()
{
    m_store = new StoreFixture;
    QVERIFY(m_store->open("alice", false));
}

void tst_LoginStore::cleanup()
{
    delete m_store;
    m_store = nullptr;
}

void tst_LoginStore::saveTwiceKeepsOneRowAndTheProfile()
{
    QVERIFY(CLocalDataBase::SaveLoginInfo(account("zhang", "2015-01-01 08:00:00")));
    LoginInfo profile = account("zhang", "ignored");
    profile.photoUrl = "/photos/zhang.png";
    profile.displayname = "张三";
    profile.signature = "sig";
    profile.empphonenum = "1234";
    QVERIFY(CLocalDataBase::UpdateLoginProfile(profile));

    LoginInfo again = account("zhang", "2015-02-10 09:00:00");
    again.trueAccount = "zhang@new";
    again.password = "n1";
    again.password2 = "n2";
    again.showType = 3;
    again.isSavePassword = 0;
    again.isAutoLogin = 0;
    again.photoUrl = "not written by a save";
    QVERIFY(CLocalDataBase::SaveLoginInfo(again));
    QCOMPARE(m_store->rows("SELECT * FROM login"),
             QStringList{"zhang|zhang@new|n1|3|0|0|/photos/zhang.png|2015-02-10 09:00:00|n2|张三|sig|1234"});
    const LoginInfo read = CLocalDataBase::LoginInfoByAccount("zhang");
    QCOMPARE(read.trueAccount, QString("zhang@new"));
    QCOMPARE(read.password, QString("n1"));
    QCOMPARE(read.password2, QString("n2"));
    QCOMPARE(read.showType, 3);
    QCOMPARE(read.isSavePassword, 0);
    QCOMPARE(read.isAutoLogin, 0);
    QCOMPARE(read.photoUrl, QString("/photos/zhang.png"));
    QCOMPARE(read.loginTime, QString("2015-02-10 09:00:00"));
    QCOMPARE(read.displayname, QString("张三"));
    QCOMPARE(read.signature, QString("sig"));
    QCOMPARE(read.empphonenum, QString("1234"));
}

void tst_LoginStore::profileAndAutoLoginNeedARow()
{
    LogCapture log;
    LoginInfo ghost = account("ghost", "2015-01-01 08:00:00");
    ghost.displayname = "nobody";
    QVERIFY(!CLocalDataBase::UpdateLoginProfile(ghost));
    QVERIFY(!CLocalDataBase::UpdateAutoLogin(ghost));
    QVERIFY(log.contains("no remembered account ghost"));
    QCOMPARE(m_store->value("SELECT count(*) FROM login"), QString("0"));

    QVERIFY(CLocalDataBase::SaveLoginInfo(account("li", "2015-01-01 08:00:00")));
    LoginInfo change = account("li", "x");
    change.isAutoLogin = 0;
    change.showType = 5;
    change.password = "not written";
    QVERIFY(CLocalDataBase::UpdateAutoLogin(change));
    QCOMPARE(m_store->rows("SELECT isAutoLogin, showType, password, loginTime FROM login"),
             QStringList{"0|5|p1|2015-01-01 08:00:00"});
}

void tst_LoginStore::lookupsAndOrder()
{
    QVERIFY(CLocalDataBase::SaveLoginInfo(account("early", "2015-01-31 23:59:59")));
    QVERIFY(CLocalDataBase::SaveLoginInfo(account("late", "2015-02-10 09:00:00")));
    QVERIFY(CLocalDataBase::SaveLoginInfo(account("middle", "2015-02-01 00:00:00")));
    QCOMPARE(accountsOf(CLocalDataBase::AllLoginInfos()), (QStringList{"late", "middle", "early"}));
    QCOMPARE(accountsOf(CLocalDataBase::LoginInfosLike("l")), (QStringList{"late", "middle", "early"}));
    QCOMPARE(accountsOf(CLocalDataBase::LoginInfosLike("ID")), QStringList{"middle"}); // LIKE folds ASCII case
    QCOMPARE(accountsOf(CLocalDataBase::LoginInfosLike("zzz")), QStringList{});
    QCOMPARE(CLocalDataBase::LoginInfoByTrueAccount("late@corp").account, QString("late"));
    QCOMPARE(CLocalDataBase::LoginPhotoUrl("middle"), QString("http://photo/middle"));
    QCOMPARE(CLocalDataBase::LoginPhotoUrl("none"), QString());
}

void tst_LoginStore::quotesAndWildcardsAreText()
{
    LoginInfo odd = account("o'neil", "2015-01-01 08:00:00");
    odd.password = "pa'ss";
    QVERIFY(CLocalDataBase::SaveLoginInfo(odd));
    odd.password = "ch'anged";
    QVERIFY(CLocalDataBase::SaveLoginInfo(odd));
    QCOMPARE(m_store->value("SELECT count(*) FROM login"), QString("1"));
    QCOMPARE(CLocalDataBase::LoginInfoByAccount("o'neil").password, QString("ch'anged"));
    QVERIFY(CLocalDataBase::UpdateAutoLogin(odd));
    QVERIFY(CLocalDataBase::SaveLoginInfo(account("zhang_san", "2015-01-02 08:00:00")));
    QVERIFY(CLocalDataBase::SaveLoginInfo(account("zhangxsan", "2015-01-03 08:00:00")));
    QVERIFY(CLocalDataBase::SaveLoginInfo(account("100%", "2015-01-04 08:00:00")));
    QCOMPARE(accountsOf(CLocalDataBase::LoginInfosLike("g_s")), QStringList{"zhang_san"});
    QCOMPARE(accountsOf(CLocalDataBase::LoginInfosLike("0%")), QStringList{"100%"});
    QCOMPARE(accountsOf(CLocalDataBase::LoginInfosLike("'")), QStringList{"o'neil"});
    QCOMPARE(CLocalDataBase::LoginInfoByAccount("x' OR '1'='1").account, QString());
    QVERIFY(CLocalDataBase::DeleteLoginInfo("x' OR '1'='1"));
    QCOMPARE(m_store->value("SELECT count(*) FROM login"), QString("4"));
}

void tst_LoginStore::deleteAndMissingRows()
{
    QVERIFY(CLocalDataBase::SaveLoginInfo(account("gone", "2015-01-01 08:00:00")));
    QVERIFY(CLocalDataBase::DeleteLoginInfo("gone"));
    const LoginInfo none = CLocalDataBase::LoginInfoByAccount("gone");
    QCOMPARE(none.account, QString());
    QCOMPARE(none.isAutoLogin, 0);
    QCOMPARE(none.password, QString());
    QCOMPARE(CLocalDataBase::LoginInfoByTrueAccount("gone@corp").account, QString());
    QVERIFY(CLocalDataBase::AllLoginInfos().isEmpty());
    // A saved account with a null text stores '' and is found again.
    LoginInfo sparse;
    sparse.account = "sparse";
    QVERIFY(CLocalDataBase::SaveLoginInfo(sparse));
    QCOMPARE(m_store->value("SELECT count(*) FROM login WHERE password = '' AND loginTime = ''"), QString("1"));
}

void tst_LoginStore::oldLoginTableGainsProfileColumns()
{
    CLocalDataBase::Close();
    m_store->closeRaw();
    StoreFixture old;
    QVERIFY(old.exec("CREATE TABLE login (account VARCHAR(100) primary key, trueAccount VARCHAR(100),"
                     "password VARCHAR(1000),showType INTEGER, isSavePassword INTEGER, isAutoLogin INTEGER, "
                     "photoUrl VARCHAR(100), loginTime VARCHAR(100),password2 VARCHAR(1000))"));
    QVERIFY(old.exec("INSERT INTO login VALUES ('veteran', 'v@corp', 'p', 1, 1, 0, 'url', '2012-01-01', 'p2')"));
    old.closeRaw();
    QVERIFY(old.open("alice", false));
    QCOMPARE(old.rows("SELECT name FROM pragma_table_info('login')").mid(9),
             (QStringList{"displayname", "signature", "empphonenum"}));
    LoginInfo profile = CLocalDataBase::LoginInfoByAccount("veteran");
    QCOMPARE(profile.trueAccount, QString("v@corp"));
    profile.displayname = "Vet";
    QVERIFY(CLocalDataBase::UpdateLoginProfile(profile));
    QCOMPARE(CLocalDataBase::LoginInfoByAccount("veteran").displayname, QString("Vet"));
}

QTEST_GUILESS_MAIN(tst_LoginStore)
#include "tst_LoginStore.moc"
