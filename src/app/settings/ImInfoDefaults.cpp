#include "ImInfoDefaults.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

ImInfoDefaults::Result ImInfoDefaults::ensure(const QString &iniPath, const QString &messageFileRoot,
                                              QString *error)
{
    // Existence, not readability: an unreadable file holds the user's settings too.
    if (QFileInfo(iniPath).exists())
        return Result::AlreadyThere;
    if (!QDir().mkpath(QFileInfo(iniPath).absolutePath())) {
        if (error)
            *error = QStringLiteral("cannot create the folder of %1").arg(iniPath);
        return Result::Failed;
    }
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("msgSetting"));
    ini.setValue(QStringLiteral("SaveToRoot"), QStringLiteral("0"));
    ini.setValue(QStringLiteral("SaveToMyDoc"), QStringLiteral("1"));
    ini.setValue(QStringLiteral("SaveToMyChosen"), QStringLiteral("0"));
    ini.setValue(QStringLiteral("msgfilepath"), messageFileRoot);
    ini.setValue(QStringLiteral("MaxTransferFileName"), QStringLiteral("5"));
    ini.endGroup();
    ini.sync();
    if (ini.status() != QSettings::NoError) {
        if (error)
            *error = QStringLiteral("cannot write %1").arg(iniPath);
        return Result::Failed;
    }
    return Result::Written;
}
