#pragma once

#include <QString>
#include <QStringList>

// Which files of the plug-in folder to load: those the configured name list
// names, with the platform's library suffix, found without descending.
class PluginFileFinder
{
public:
    static QString librarySuffix();
    static QStringList splitNames(const QString &commaSeparated);
    static QStringList find(const QString &pluginFolder, const QStringList &names);
};
