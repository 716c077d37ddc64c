#include "UserFiles.h"

#include "log/ShellLog.h"

#include <QDir>
#include <QFile>
#include <QSettings>

UserFiles::UserFiles(const QString &folder)
    : m_folder(folder)
{
}

QString UserFiles::configPath() const
{
    return m_folder.isEmpty() ? QString() : m_folder + QStringLiteral("/config.ini");
}

QString UserFiles::logIniPath() const
{
    return m_folder.isEmpty() ? QString() : m_folder + QStringLiteral("/Log.ini");
}

bool UserFiles::usable(const char *what) const
{
    if (!m_folder.isEmpty())
        return true;
    LOG_WARN(QStringLiteral("UserFiles: no account folder, %1 not written").arg(QLatin1String(what)));
    return false;
}

WindowPlacement::Stored UserFiles::readRect() const
{
    WindowPlacement::Stored stored;
    if (m_folder.isEmpty())
        return stored;
    QSettings ini(configPath(), QSettings::IniFormat);
    auto number = [&ini](const char *key, int fallback) {
        bool ok = false;
        const int value = ini.value(QLatin1String(key)).toInt(&ok);
        return ok ? value : fallback;
    };
    stored.height = number("/Rect/height", -1);
    stored.width = number("/Rect/width", -1);
    stored.pointx = number("/Rect/pointx", -1);
    stored.pointy = number("/Rect/pointy", -1);
    stored.stayType = number("/Rect/stayType", WindowPlacement::Free);
    if (stored.stayType < WindowPlacement::Free || stored.stayType > WindowPlacement::Right)
        stored.stayType = WindowPlacement::Free;
    return stored;
}

bool UserFiles::saveRect(const QRect &geometry, int stayType) const
{
    if (!usable("Rect"))
        return false;
    QSettings ini(configPath(), QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("Rect"));
    ini.setValue(QStringLiteral("height"), geometry.height());
    ini.setValue(QStringLiteral("width"), geometry.width());
    ini.setValue(QStringLiteral("pointx"), geometry.x());
    ini.setValue(QStringLiteral("pointy"), geometry.y());
    ini.setValue(QStringLiteral("stayType"), stayType);
    ini.endGroup();
    ini.sync();
    return ini.status() == QSettings::NoError;
}

bool UserFiles::writeConfig(const QString &key, const QVariant &value) const
{
    QSettings ini(configPath(), QSettings::IniFormat);
    ini.setValue(key, value);
    ini.sync();
    if (ini.status() == QSettings::NoError)
        return true;
    LOG_WARN(QStringLiteral("UserFiles: cannot write %1 to %2").arg(key, configPath()));
    return false;
}

bool UserFiles::saveExpandedGroups(const QStringList &groups) const
{
    return usable("GroupName") && writeConfig(QStringLiteral("GroupName/expandGroups"), groups);
}

bool UserFiles::saveAutoLoginStatus(int code) const
{
    return usable("autoLogin_statu")
           && writeConfig(QStringLiteral("/basicSetting/autoLogin_statu"), code);
}

int UserFiles::autoLoginStatus() const
{
    if (m_folder.isEmpty())
        return 0;
    return QSettings(configPath(), QSettings::IniFormat)
        .value(QStringLiteral("/basicSetting/autoLogin_statu"))
        .toInt();
}

bool UserFiles::setAutoLogin(const QString &value) const
{
    return usable("autoLogin") && writeConfig(QStringLiteral("basicSetting/autoLogin"), value);
}

bool UserFiles::writeLogInfo(const LogInfo &info) const
{
    if (!usable("Log.ini"))
        return false;
    QDir().mkpath(m_folder);
    const QString path = logIniPath();
    // Created private before the key goes in, so it is never readable by others.
    QFile file(path);
    if (!file.exists() && file.open(QIODevice::WriteOnly))
        file.close();
    if (!QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        LOG_WARN(QStringLiteral("UserFiles: cannot make %1 private; key not written").arg(path));
        return false;
    }
    QSettings ini(path, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("LogInfo"));
    ini.setValue(QStringLiteral("uid"), info.uid);
    ini.setValue(QStringLiteral("key"), info.key);
    ini.setValue(QStringLiteral("username"), info.username);
    ini.setValue(QStringLiteral("jid"), info.jid);
    ini.endGroup();
    ini.sync();
    // QSettings replaces the file on sync; the new one must be private too.
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return ini.status() == QSettings::NoError;
}

bool UserFiles::clearLogInfo() const
{
    if (!usable("Log.ini"))
        return false;
    QSettings ini(logIniPath(), QSettings::IniFormat);
    ini.clear();
    ini.sync();
    QFile::setPermissions(logIniPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return ini.status() == QSettings::NoError;
}

void UserFiles::removeTemporaryHeads() const
{
    if (m_folder.isEmpty())
        return;
    QDir heads(m_folder + QStringLiteral("/designHeadImage"));
    for (const QString &name : heads.entryList(QDir::Files))
        if (name.contains(QLatin1String("zq")) && !heads.remove(name))
            LOG_WARN(QStringLiteral("UserFiles: cannot remove %1").arg(heads.filePath(name)));
}
