#include "ProxySettings.h"

#include "log/ShellLog.h"

#include <QNetworkProxyFactory>
#include <QNetworkProxyQuery>
#include <QStringList>
#include <QUrl>

namespace {

constexpr quint16 DefaultProxyPort = 80;

bool isTrue(const QString &text)
{
    const QString value = text.trimmed().toLower();
    return value == QLatin1String("1") || value == QLatin1String("true") || value == QLatin1String("yes");
}

QString serverText(const QNetworkProxy &proxy)
{
    return proxy.type() == QNetworkProxy::NoProxy
        ? QString()
        : proxy.hostName() + QLatin1Char(':') + QString::number(proxy.port());
}

} // namespace

QString ProxySettings::forcedEnable() const
{
    return m_install.installValue(QStringLiteral("Proxy/ProxyEnable"));
}

QNetworkProxy ProxySettings::systemProxy()
{
    const QList<QNetworkProxy> proxies = QNetworkProxyFactory::systemProxyForQuery(
        QNetworkProxyQuery(QUrl(QStringLiteral("http://www.example.com/"))));
    for (const QNetworkProxy &proxy : proxies) {
        if (proxy.type() == QNetworkProxy::HttpProxy)
            return proxy;
    }
    return QNetworkProxy(QNetworkProxy::NoProxy);
}

QNetworkProxy ProxySettings::parseServer(const QString &server)
{
    QString entry = server.trimmed();
    if (entry.contains(QLatin1Char('='))) {
        const QStringList parts = entry.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        entry.clear();
        for (const QString &part : parts) {
            if (part.trimmed().startsWith(QLatin1String("http="), Qt::CaseInsensitive)) {
                entry = part.trimmed().mid(5);
                break;
            }
        }
    }
    if (!entry.contains(QLatin1String("://")))
        entry.prepend(QLatin1String("http://"));
    const QUrl url(entry, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()) {
        LOG_WARN(QStringLiteral("ProxySettings: not a proxy server: \"%1\"").arg(server));
        return QNetworkProxy(QNetworkProxy::NoProxy);
    }
    return QNetworkProxy(QNetworkProxy::HttpProxy, url.host(), quint16(url.port(DefaultProxyPort)));
}

bool ProxySettings::proxyEnabled() const
{
    return httpProxy().type() != QNetworkProxy::NoProxy;
}

QString ProxySettings::proxyServer() const
{
    return serverText(httpProxy());
}

QNetworkProxy ProxySettings::httpProxy() const
{
    const QString forced = forcedEnable();
    if (forced.isEmpty())
        return systemProxy();
    if (!isTrue(forced))
        return QNetworkProxy(QNetworkProxy::NoProxy);
    const QString configured = m_install.installValue(QStringLiteral("Proxy/ProxyServer"));
    return configured.isEmpty() ? systemProxy() : parseServer(configured);
}

void ProxySettings::applyToApplication() const
{
    if (forcedEnable().isEmpty()) {
        QNetworkProxyFactory::setUseSystemConfiguration(true);
        return;
    }
    QNetworkProxyFactory::setUseSystemConfiguration(false);
    QNetworkProxy::setApplicationProxy(httpProxy());
}
