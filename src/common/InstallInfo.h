#pragma once

#include <QString>

// The installed version, the window title and other deployment values.
// Each is looked up in the user's Version.ini first, then in install.ini next to
// the binary (written by the installer and the upgrader), then a built-in default.
//
// install.ini keys:
//   [Installation] ThisVersion, WindowTitle
//   [Proxy]        ProxyEnable (true/false; empty: the system's configuration),
//                  ProxyServer ("host:port", "http://host:port" or "http=host:port;https=...")
//   [Mail]         Domain (the enterprise mail domain), ServiceAccount and SupportAddress
//                  (the one account whose mail goes to the support address instead)
class InstallInfo
{
public:
    InstallInfo();
    InstallInfo(const QString &versionFile, const QString &installFile);

    static QString defaultVersionFile(); // <documents>/TavrinIm/Version.ini
    static QString defaultInstallFile(); // <application folder>/install.ini

    QString versionFile() const { return m_versionFile; }
    QString installFile() const { return m_installFile; }

    QString thisVersion() const;
    QString windowTitle() const;
    // Version.ini must take it; install.ini is updated too when it is writable.
    bool setThisVersion(const QString &version) const;

    // "<account without zq>@<Domain>", or SupportAddress for ServiceAccount; empty when
    // the account is empty or no domain is configured.
    QString accountMailAddress(const QString &account) const;

    // A value of install.ini ("Group/Key"), empty when missing.
    QString installValue(const QString &key) const;

private:
    QString versionValue(const QString &key) const;

    QString m_versionFile;
    QString m_installFile;
};
