#pragma once

#include "InstallInfo.h"

#include <QNetworkProxy>
#include <QString>

// The HTTP proxy of the shell's own requests. install.ini's ProxyEnable decides when
// set: false means none, true means its ProxyServer (or the system's proxy when that is
// empty); unset, the system's configuration (proxy environment variables, desktop
// settings) decides alone.
class ProxySettings
{
public:
    ProxySettings() = default;
    explicit ProxySettings(const InstallInfo &install) : m_install(install) {}

    bool proxyEnabled() const;
    // "host:port" of httpProxy(), or empty without a proxy.
    QString proxyServer() const;
    // NoProxy when disabled or when the server text cannot be read (logged).
    QNetworkProxy httpProxy() const;

    // Makes every network request of the process follow these settings.
    void applyToApplication() const;

    // "host:port", "http://host:port" or "http=host:port;https=..." as an HTTP proxy.
    static QNetworkProxy parseServer(const QString &server);

private:
    static QNetworkProxy systemProxy();
    QString forcedEnable() const;

    InstallInfo m_install;
};
