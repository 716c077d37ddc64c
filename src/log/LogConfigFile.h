#pragma once

#include <QString>

// The per-user log.cfg: copied once from the installation's template, with the
// Debug.log line pointed at the user's log folder.
class LogConfigFile
{
public:
    static constexpr char TemplateLine[] = "log4j.appender.R.File=./Debug.log";

    // Returns the per-user log.cfg path, or an empty string when it could not be made.
    static QString prepare(const QString &templatePath, const QString &logFolder, QString *error);
    static QString debugLogPath(const QString &logFolder);
};
