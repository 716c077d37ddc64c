#include "LogCapture.h"
#include "TestEnvironment.h"
#include "common/InstallInfo.h"

#include <QFile>
#include <QSettings>
#include <QTextCodec>
#include <QtTest>

class tst_InstallInfo : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void fallsBackFromVersionFileToInstallFileToDefaults();
    void setThisVersionWritesBothAndKeepsAGbkTitle();
    void setThisVersionFailures();
    void accountMailAddress_data();
    void accountMailAddress();
    void defaultInstallFileIsShippedNextToTheBinary();

private:
    std::unique_ptr<TestEnvironment> m_env;
    QString m_versionFile;
    QString m_installFile;
};

void tst_InstallInfo::init()
{
    m_env = std::make_unique<TestEnvironment>();
    m_versionFile = m_env->home() + QStringLiteral("/Documents/TavrinIm/Version.ini");
    m_installFile = m_env->root() + QStringLiteral("/bin/install.ini");
}

void tst_InstallInfo::cleanup()
{
    m_env.reset();
}

void tst_InstallInfo::fallsBackFromVersionFileToInstallFileToDefaults()
{
    const InstallInfo info(m_versionFile, m_installFile);
    QCOMPARE(info.thisVersion(), QStringLiteral("2.3.1.0"));
    QCOMPARE(info.windowTitle(), QStringLiteral("Lumio2015"));

    TestEnvironment::writeText(m_installFile, "[Installation]\nThisVersion=3.0.0.1\nWindowTitle=\"Lumio, 企业版\"\n");
    QCOMPARE(info.thisVersion(), QStringLiteral("3.0.0.1"));
    QCOMPARE(info.windowTitle(), QStringLiteral("Lumio, 企业版"));

    TestEnvironment::writeText(m_versionFile, "[ThisVersion]\nthisversion=3.1.0.0\n[windowTitle]\ntitle=\n");
    QCOMPARE(info.thisVersion(), QStringLiteral("3.1.0.0"));
    QCOMPARE(info.windowTitle(), QStringLiteral("Lumio, 企业版"));

    // Unquoted, a comma would make a list of it.
    TestEnvironment::writeText(m_versionFile, "[windowTitle]\ntitle=Lumio,测试\n");
    QCOMPARE(info.windowTitle(), QStringLiteral("Lumio,测试"));
    QCOMPARE(info.thisVersion(), QStringLiteral("3.0.0.1"));
}

void tst_InstallInfo::setThisVersionWritesBothAndKeepsAGbkTitle()
{
    QTextCodec *gbk = QTextCodec::codecForName("GBK");
    TestEnvironment::writeText(m_versionFile, "[windowTitle]\ntitle=" + gbk->fromUnicode(QStringLiteral("通讯测试")) + "\n");
    TestEnvironment::writeText(m_installFile, "[Installation]\nThisVersion=1.0\nWindowTitle=Lumio\n");

    const InstallInfo info(m_versionFile, m_installFile);
    QCOMPARE(info.windowTitle(), QStringLiteral("通讯测试")); // a GBK file, as older versions left it
    QVERIFY(info.setThisVersion(QStringLiteral("4.2.0.7")));
    QCOMPARE(info.thisVersion(), QStringLiteral("4.2.0.7"));
    QCOMPARE(info.windowTitle(), QStringLiteral("通讯测试"));
    QCOMPARE(QSettings(m_installFile, QSettings::IniFormat).value("Installation/ThisVersion").toString(),
             QStringLiteral("4.2.0.7"));
    QCOMPARE(QSettings(m_installFile, QSettings::IniFormat).value("Installation/WindowTitle").toString(),
             QStringLiteral("Lumio"));

    // No Version.ini and no folder for it yet.
    QFile::remove(m_versionFile);
    QVERIFY(info.setThisVersion(QStringLiteral("4.2.0.8")));
    QCOMPARE(QSettings(m_versionFile, QSettings::IniFormat).value("ThisVersion/thisversion").toString(),
             QStringLiteral("4.2.0.8"));
}

void tst_InstallInfo::setThisVersionFailures()
{
    LogCapture log;
    QVERIFY(!InstallInfo(m_versionFile, m_installFile).setThisVersion(QStringLiteral("  ")));
    QVERIFY(!QFile::exists(m_versionFile));

    const QString blocked = m_env->root() + QStringLiteral("/blocked");
    TestEnvironment::writeText(blocked, "a file, not a folder");
    log.clear();
    QVERIFY(!InstallInfo(blocked + QStringLiteral("/Version.ini"), m_installFile).setThisVersion(QStringLiteral("5.0")));
    QVERIFY(log.contains(blocked + QStringLiteral("/Version.ini")));
}

void tst_InstallInfo::accountMailAddress_data()
{
    QTest::addColumn<QByteArray>("installIni");
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("address");

    const QByteArray mail = "[Mail]\nDomain=corp.example\nServiceAccount=helpdesk\nSupportAddress=support@corp.example\n";
    QTest::newRow("plain") << mail << "liming" << "liming@corp.example";
    QTest::newRow("trimmed, zq removed") << mail << "  lizqming " << "liming@corp.example";
    QTest::newRow("service account") << mail << "helpdesk" << "support@corp.example";
    QTest::newRow("empty account") << mail << "  " << "";
    QTest::newRow("no domain configured") << QByteArray("[Mail]\nDomain=\n") << "liming" << "";
}

void tst_InstallInfo::accountMailAddress()
{
    QFETCH(QByteArray, installIni);
    QFETCH(QString, account);
    QFETCH(QString, address);
    TestEnvironment::writeText(m_installFile, installIni);
    QCOMPARE(InstallInfo(m_versionFile, m_installFile).accountMailAddress(account), address);
}

void tst_InstallInfo::defaultInstallFileIsShippedNextToTheBinary()
{
    const QString shipped = TestEnvironment::binDir() + QStringLiteral("/install.ini");
    QVERIFY2(QFile::exists(shipped), qPrintable(shipped));
    const InstallInfo info(m_versionFile, shipped);
    QCOMPARE(info.thisVersion(), QStringLiteral("2.3.1.0"));
    QCOMPARE(info.windowTitle(), QStringLiteral("Lumio2015"));
    QCOMPARE(info.installValue(QStringLiteral("Proxy/ProxyEnable")), QString());
}

QTEST_GUILESS_MAIN(tst_InstallInfo)
#include "tst_InstallInfo.moc"
