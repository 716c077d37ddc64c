#include "LogCapture.h"
#include "TestEnvironment.h"
#include "common/ProxySettings.h"

#include <QNetworkProxyFactory>
#include <QtTest>

class tst_ProxySettings : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void installFileDecides_data();
    void installFileDecides();
    void serverTexts_data();
    void serverTexts();
    void systemConfigurationWhenInstallFileIsSilent();
    void appliedToTheApplication();

private:
    InstallInfo install(const QByteArray &ini);
    TestEnvironment m_env;
};

void tst_ProxySettings::initTestCase()
{
    for (const char *name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY", "no_proxy"})
        qunsetenv(name);
}

InstallInfo tst_ProxySettings::install(const QByteArray &ini)
{
    const QString path = m_env.root() + QStringLiteral("/install.ini");
    TestEnvironment::writeText(path, ini);
    return InstallInfo(m_env.root() + QStringLiteral("/Version.ini"), path);
}

void tst_ProxySettings::installFileDecides_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("server");

    QTest::newRow("forced off, a server named") << QByteArray("[Proxy]\nProxyEnable=false\nProxyServer=p.corp:3128\n") << false << "";
    QTest::newRow("forced off as 0") << QByteArray("[Proxy]\nProxyEnable=0\nProxyServer=p.corp:3128\n") << false << "";
    QTest::newRow("forced on") << QByteArray("[Proxy]\nProxyEnable=true\nProxyServer=p.corp:3128\n") << true << "p.corp:3128";
    QTest::newRow("forced on as 1") << QByteArray("[Proxy]\nProxyEnable=1\nProxyServer=p.corp:3128\n") << true << "p.corp:3128";
    QTest::newRow("forced on, unreadable server") << QByteArray("[Proxy]\nProxyEnable=true\nProxyServer=\"http://:99999\"\n") << false << "";
}

void tst_ProxySettings::installFileDecides()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, enabled);
    QFETCH(QString, server);
    // The environment must not matter once install.ini decides.
    qputenv("http_proxy", "http://env.proxy:8888");
    const ProxySettings settings(install(ini));
    QCOMPARE(settings.proxyEnabled(), enabled);
    QCOMPARE(settings.proxyServer(), server);
    qunsetenv("http_proxy");
}

void tst_ProxySettings::serverTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");

    QTest::newRow("host:port") << "p.corp:3128" << "p.corp" << 3128;
    QTest::newRow("url") << "http://p.corp:8080/" << "p.corp" << 8080;
    QTest::newRow("no port") << "p.corp" << "p.corp" << 80;
    QTest::newRow("per scheme") << "ftp=f.corp:21;http=h.corp:81;https=s.corp:443" << "h.corp" << 81;
    QTest::newRow("per scheme without http") << "https=s.corp:443" << "" << 0;
    QTest::newRow("empty") << "" << "" << 0;
    QTest::newRow("garbage") << "::::" << "" << 0;
}

void tst_ProxySettings::serverTexts()
{
    QFETCH(QString, text);
    QFETCH(QString, host);
    QFETCH(int, port);
    LogCapture log;
    const QNetworkProxy proxy = ProxySettings::parseServer(text);
    if (host.isEmpty()) {
        QCOMPARE(proxy.type(), QNetworkProxy::NoProxy);
        QVERIFY(!log.lines().isEmpty());
    } else {
        QCOMPARE(proxy.type(), QNetworkProxy::HttpProxy);
        QCOMPARE(proxy.hostName(), host);
        QCOMPARE(int(proxy.port()), port);
    }
}

void tst_ProxySettings::systemConfigurationWhenInstallFileIsSilent()
{
    const InstallInfo silent = install("[Proxy]\nProxyEnable=\nProxyServer=ignored.corp:1\n");
    QVERIFY(!ProxySettings(silent).proxyEnabled());
    QCOMPARE(ProxySettings(silent).proxyServer(), QString());

    qputenv("http_proxy", "http://env.proxy:8888");
    QVERIFY(ProxySettings(silent).proxyEnabled());
    QCOMPARE(ProxySettings(silent).proxyServer(), QStringLiteral("env.proxy:8888"));
    qunsetenv("http_proxy");
}

void tst_ProxySettings::appliedToTheApplication()
{
    ProxySettings(install("[Proxy]\nProxyEnable=true\nProxyServer=p.corp:3128\n")).applyToApplication();
    QVERIFY(!QNetworkProxyFactory::usesSystemConfiguration());
    QCOMPARE(QNetworkProxy::applicationProxy().hostName(), QStringLiteral("p.corp"));
    QCOMPARE(QNetworkProxy::applicationProxy().port(), quint16(3128));

    ProxySettings(install("[Proxy]\nProxyEnable=false\n")).applyToApplication();
    QCOMPARE(QNetworkProxy::applicationProxy().type(), QNetworkProxy::NoProxy);

    ProxySettings(install("[Proxy]\n")).applyToApplication();
    QVERIFY(QNetworkProxyFactory::usesSystemConfiguration());
}

QTEST_GUILESS_MAIN(tst_ProxySettings)
#include "tst_ProxySettings.moc"
