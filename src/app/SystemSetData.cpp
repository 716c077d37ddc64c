#include "SystemSetData.h"

#include "AccountSettingsLoader.h"
#include "AppPaths.h"
#include "log/ShellLog.h"
#include "store/AccountFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

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
