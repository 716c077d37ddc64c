#include "SystemSetData.h"

#include "AccountSettingsLoader.h"
#include "AppPaths.h"
#include "log/ShellLog.h"
#include "store/AccountFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <sys/stat.h>

namespace {

bool written(QSettings &ini, const QString &what)
{
    ini.sync();
    if (ini.status() == QSettings::NoError)
        return true;
    LOG_WARN(QStringLiteral("cannot write %1 to %2").arg(what, ini.fileName()));
    return false;
}

// Log.ini is born private: its first byte on disk is already unreadable to others.
bool writePrivately(const QString &path, const std::function<void(QSettings &)> &change)
{
    const mode_t previous = ::umask(077);
    QSettings ini(path, QSettings::IniFormat);
    change(ini);
    const bool ok = written(ini, QStringLiteral("LogInfo"));
    ::umask(previous);
    // An older file may have been created with wider rights.
    if (QFileInfo::exists(path) && !QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner)) {
        LOG_WARN(QStringLiteral("cannot make %1 private").arg(path));
        return false;
    }
    return ok;
}

} // namespace

SystemSetData *SystemSetData::instance()
{
    static auto *data = new SystemSetData;
    return data;
}

SystemSetData::SystemSetData(QObject *parent)
    : QObject(parent)
    , m_documentsBase(AppPaths::defaultMessageFileRoot())
{
}

void SystemSetData::initCommonData()
{
    initCommonData(AppPaths::imInfoPath());
}

void SystemSetData::initCommonData(const QString &imInfoPath)
{
    const QSettings ini(imInfoPath, QSettings::IniFormat);
    m_saveToRoot = ini.value(QStringLiteral("/msgSetting/SaveToRoot")).toString();
    m_saveToMyDoc = ini.value(QStringLiteral("/msgSetting/SaveToMyDoc")).toString();
    m_saveToMyChosen = ini.value(QStringLiteral("/msgSetting/SaveToMyChosen")).toString();
    m_messageFilePath = ini.value(QStringLiteral("/msgSetting/msgfilepath")).toString();
    if (m_messageFilePath.isEmpty())
        m_messageFilePath = m_documentsBase;
    if (!QFileInfo::exists(m_messageFilePath) && !QDir().mkpath(m_messageFilePath))
        LOG_WARN(QStringLiteral("cannot create the message file folder %1").arg(m_messageFilePath));
}

bool SystemSetData::isUsableFolderName(const QString &account)
{
    return AccountFolder::isUsableFolderName(account);
}

bool SystemSetData::loadAccount(const QString &account)
{
    // Nothing of the previous account may survive a change of user.
    m_settings = AccountSettings();
    m_account.clear();
    m_accountLoaded = false;
    if (!isUsableFolderName(account)) {
        LOG_WARN(QStringLiteral("account \"%1\" is not a usable folder name; settings left at defaults")
                     .arg(account));
        m_settings = AccountSettingsLoader::load(QString(), QString());
        return false;
    }
    m_account = account;
    m_accountLoaded = true;
    const QString defaultTransfer = m_documentsBase + QLatin1Char('/') + account + QStringLiteral("/fileRec");
    m_settings = AccountSettingsLoader::load(accountFolder() + QStringLiteral("/config.ini"),
                                             defaultTransfer, m_skinLoader);
    return true;
}

void SystemSetData::setSkinLoader(std::function<void(const QString &)> loader)
{
    m_skinLoader = std::move(loader);
}

QString SystemSetData::messageFilePath() const
{
    return QFileInfo(m_messageFilePath.isEmpty() ? m_documentsBase : m_messageFilePath).absoluteFilePath();
}

QString SystemSetData::accountFolder() const
{
    return m_account.isEmpty() ? QString() : messageFilePath() + QLatin1Char('/') + m_account;
}

QString SystemSetData::transferPath() const
{
    // Before any account: the documents base, never the working directory, and nothing created.
    if (!m_accountLoaded)
        return m_documentsBase;
    const QString stored = m_settings.transferPath;
    if (stored == QLatin1String("0"))
        return stored;
    const QString path = QFileInfo(stored).absoluteFilePath();
    if (!QFileInfo::exists(path) && !QDir().mkpath(path))
        LOG_WARN(QStringLiteral("cannot create the transfer folder %1").arg(path));
    return path;
}

QString SystemSetData::chatFontFamily() const
{
    return m_settings.fontFamily.isEmpty() ? QStringLiteral("微软雅黑") : m_settings.fontFamily;
}

double SystemSetData::chatFontSize() const
{
    return m_settings.fontSize > 0 ? m_settings.fontSize : 12;
}

bool SystemSetData::writeConfigValue(const QString &key, const QVariant &value)
{
    const QString folder = accountFolder();
    if (folder.isEmpty()) {
        LOG_WARN(QStringLiteral("no account loaded; %1 not saved").arg(key));
        return false;
    }
    if (!QDir().mkpath(folder)) {
        LOG_WARN(QStringLiteral("cannot create the account folder %1; %2 not saved").arg(folder, key));
        return false;
    }
    QSettings ini(folder + QStringLiteral("/config.ini"), QSettings::IniFormat);
    ini.setValue(key, value);
    return written(ini, key);
}

bool SystemSetData::setMainWindowWarn(const QString &value)
{
    if (!writeConfigValue(QStringLiteral("/basicSetting/mainwindowWarn"), value))
        return false;
    m_settings.mainWindowWarn = value;
    return true;
}

bool SystemSetData::setCloseMainWindow(const QString &value)
{
    if (!writeConfigValue(QStringLiteral("/basicSetting/closeMainWindow"), value))
        return false;
    m_settings.closeMainWindow = value;
    return true;
}

bool SystemSetData::setHideMainWindow(const QString &value)
{
    if (!writeConfigValue(QStringLiteral("/basicSetting/hideMainWindow"), value))
        return false;
    m_settings.hideMainWindow = value;
    return true;
}

bool SystemSetData::setLoginPresence(int code)
{
    if (!writeConfigValue(QStringLiteral("/basicSetting/autoLogin_statu"), code))
        return false;
    m_settings.autoLoginStatus = QString::number(code);
    return true;
}

QString SystemSetData::logInfoPath() const
{
    const QString folder = accountFolder();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/Log.ini");
}

bool SystemSetData::writeLogInfo(const LogInfo &info)
{
    const QString path = logInfoPath();
    if (path.isEmpty()) {
        LOG_WARN(QStringLiteral("no account loaded; Log.ini not written"));
        return false;
    }
    if (!QDir().mkpath(accountFolder())) {
        LOG_WARN(QStringLiteral("cannot create the account folder %1; Log.ini not written").arg(accountFolder()));
        return false;
    }
    return writePrivately(path, [&](QSettings &ini) {
        ini.setValue(QStringLiteral("/LogInfo/uid"), info.uid);
        ini.setValue(QStringLiteral("/LogInfo/key"), info.key);
        ini.setValue(QStringLiteral("/LogInfo/username"), info.username);
        ini.setValue(QStringLiteral("/LogInfo/jid"), info.jid);
    });
}

bool SystemSetData::clearLogInfo()
{
    const QString path = logInfoPath();
    if (path.isEmpty()) {
        LOG_WARN(QStringLiteral("no account loaded; Log.ini not cleared"));
        return false;
    }
    if (!QFileInfo::exists(path))
        return true;
    return writePrivately(path, [](QSettings &ini) { ini.remove(QStringLiteral("LogInfo")); });
}
