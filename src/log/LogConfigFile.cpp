#include "LogConfigFile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

QString LogConfigFile::debugLogPath(const QString &logFolder)
{
    return QDir(logFolder).absoluteFilePath(QStringLiteral("Debug.log"));
}

QString LogConfigFile::prepare(const QString &templatePath, const QString &logFolder, QString *error)
{
    const QString userCfg = QDir(logFolder).absoluteFilePath(QStringLiteral("log.cfg"));
    if (QFile::exists(userCfg))
        return userCfg;

    if (!QDir().mkpath(logFolder)) {
        if (error)
            *error = QStringLiteral("cannot create log folder %1").arg(logFolder);
        return {};
    }
    QFile source(templatePath);
    if (!source.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read %1: %2").arg(templatePath, source.errorString());
        return {};
    }
    QByteArray text = source.readAll();
    // UTF-8, which the configuration reads back; a backslash is an escape in a property file.
    QByteArray path = debugLogPath(logFolder).toUtf8();
    path.replace('\\', "\\\\");
    text.replace(TemplateLine, QByteArray("log4j.appender.R.File=") + path);

    // Written whole into a new file renamed into place: nothing of an older or half copy remains.
    QSaveFile target(userCfg);
    if (!target.open(QIODevice::WriteOnly) || target.write(text) != text.size() || !target.commit()) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(userCfg, target.errorString());
        return {};
    }
    return userCfg;
}
