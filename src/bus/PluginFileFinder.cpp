#include "PluginFileFinder.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QSet>

QString PluginFileFinder::librarySuffix()
{
    return QStringLiteral(".so");
}

QStringList PluginFileFinder::splitNames(const QString &commaSeparated)
{
    QStringList names = commaSeparated.split(QLatin1Char(','), Qt::KeepEmptyParts);
    for (QString &name : names)
        name = name.trimmed();
    return names;
}

QStringList PluginFileFinder::find(const QString &pluginFolder, const QStringList &names)
{
    const QSet<QString> wanted(names.cbegin(), names.cend());
    const QString suffix = librarySuffix();
    QStringList paths;
    QDirIterator it(pluginFolder,
                    QDir::Files | QDir::Dirs | QDir::Drives | QDir::Hidden | QDir::NoSymLinks
                        | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString fileName = it.fileName();
        if (fileName.endsWith(suffix, Qt::CaseSensitive) && wanted.contains(fileName))
            paths.append(it.filePath());
    }
    return paths;
}
