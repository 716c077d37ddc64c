#include "CUrlInfo.h"

#include "bus/PluginFileFinder.h"

#include <QFileInfo>
#include <QSettings>
#include <QVariant>

CUrlInfo *CUrlInfo::instance()
{
    static auto *info = new CUrlInfo;
    return info;
}

QString CUrlInfo::textValue(const QVariant &value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

bool CUrlInfo::load(const QString &iniPath)
{
    m_path = iniPath;
    m_pluginNames.clear();
    if (!QFileInfo::exists(iniPath))
        return false;
    const QSettings ini(iniPath, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError)
        return false;
    const QString dlls = textValue(ini.value(QStringLiteral("/plugins/dlls")));
    if (!dlls.trimmed().isEmpty())
        m_pluginNames = PluginFileFinder::splitNames(dlls);
    return true;
}
