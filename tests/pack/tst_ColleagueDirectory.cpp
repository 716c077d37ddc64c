// test-flags: LIBS lumio_pack_common
#include "ColleagueDirectory.h"
#include "TestEnvironment.h"
#include "common/CommonFun.h"

#include <QtTest>

class tst_ColleagueDirectory : public QObject
{
    Q_OBJECT
private slots:
    void shippedDirectoryMatchesTheShellsFolderNames();
    void badFilesLeaveItEmpty();
    void unusableEntriesAreSkipped();
    void passwordNeverMatchesWhenUnset();

private:
    QString write(const QByteArray &json);
    TestEnvironment m_env;
    int m_files = 0;
};

QString tst_ColleagueDirectory::write(const QByteArray &json)
{
    const QString path = m_env.root() + QStringLiteral("/dir%1.json").arg(++m_files);
    TestEnvironment::writeText(path, json);
    return path;
}

void tst_ColleagueDirectory::shippedDirectoryMatchesTheShellsFolderNames()
{
    for (const QString &path : {TestEnvironment::binDir() + QStringLiteral("/Resources/Demo/colleagues.json"),
                                ColleagueDirectory::builtInPath()}) {
        ColleagueDirectory directory;
        QVERIFY2(directory.load(path), qPrintable(directory.errorText()));
        QCOMPARE(directory.colleagues().size(), 6);
        QVERIFY(directory.checkPassword(QStringLiteral("demo")));
        for (const Colleague &c : directory.colleagues()) {
            QCOMPARE(c.jid, c.jid.toLower());
            QCOMPARE(CommonFun::jidToFolderName(c.jid), c.user);
            QVERIFY(!c.name.isEmpty() && !c.department.isEmpty() && !c.title.isEmpty());
        }
    }
}

void tst_ColleagueDirectory::badFilesLeaveItEmpty()
{
    for (const QByteArray &json : {QByteArray("{\"domain\": \"x.test\", \"colleagues\": [ {"),
                                   QByteArray("[1, 2, 3]"),
                                   QByteArray("{\"colleagues\": [{\"user\": \"a\", \"name\": \"甲\"}]}"),
                                   QByteArray("{\"domain\": \"x.test\", \"colleagues\": []}")}) {
        ColleagueDirectory directory;
        QVERIFY(!directory.load(write(json)));
        QVERIFY(!directory.errorText().isEmpty());
        QVERIFY(directory.colleagues().isEmpty());
    }
    ColleagueDirectory missing;
    QVERIFY(!missing.load(m_env.root() + QStringLiteral("/none.json")));
}

void tst_ColleagueDirectory::unusableEntriesAreSkipped()
{
    ColleagueDirectory directory;
    QVERIFY(directory.load(write(R"({"domain": "X.Test", "password": "p", "colleagues": [
        {"user": "Alice", "name": "甲"},
        {"user": "alice", "name": "甲二"},
        {"user": "zqbob", "name": "乙"},
        {"user": "../etc", "name": "丙"},
        {"user": "carol", "name": ""},
        {"user": "dave", "name": "丁"}]})")));
    QCOMPARE(directory.colleagues().size(), 2);
    const Colleague alice = directory.find(QStringLiteral("ALICE@x.test/desktop"));
    QCOMPARE(alice.jid, QStringLiteral("alice@x.test"));
    QCOMPARE(alice.name, QStringLiteral("甲"));
    QVERIFY(directory.find(QStringLiteral("dave")).isValid());
    QVERIFY(!directory.find(QStringLiteral("dave@other.test")).isValid());
    QVERIFY(!directory.find(QString()).isValid());
}

void tst_ColleagueDirectory::passwordNeverMatchesWhenUnset()
{
    ColleagueDirectory directory;
    QVERIFY(directory.load(write(R"({"domain": "x.test", "colleagues": [{"user": "a", "name": "甲"}]})")));
    QVERIFY(!directory.checkPassword(QString()));
    QVERIFY(!directory.checkPassword(QStringLiteral("demo")));
}

QTEST_MAIN(tst_ColleagueDirectory)
#include "tst_ColleagueDirectory.moc"
