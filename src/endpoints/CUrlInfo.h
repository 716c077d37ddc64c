#pragma once

#include <QString>
#include <QStringList>

// The service URLs and the plug-in list of allurl.ini in the application directory.
class CUrlInfo
{
public:
    static CUrlInfo *instance();
    CUrlInfo() = default;

    bool load(const QString &iniPath);
    QString path() const { return m_path; }

    // Comma-separated names, blanks around each trimmed; empty when the key is missing.
    QStringList pluginNames() const { return m_pluginNames; }

    // A QSettings value as the text it was written as; an unquoted "a,b" reads
    // as a list there and is joined back with ",".
    static QString textValue(const QVariant &value);

private:
    QString m_path;
    QStringList m_pluginNames;
};
