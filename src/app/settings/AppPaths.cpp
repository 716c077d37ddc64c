#include "AppPaths.h"

#include <QCoreApplication>
#include <QStandardPaths>

QString AppPaths::applicationDir()
{
    return QCoreApplication::applicationDirPath();
}

QString AppPaths::documentsBase()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString AppPaths::imInfoPath()
{
    return documentsBase() + QStringLiteral("/TavrinIm/IMInfo.ini");
}

QString AppPaths::defaultMessageFileRoot()
{
    return documentsBase() + QStringLiteral("/TavrinImFiles");
}

QString AppPaths::logFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
        + QStringLiteral("/TavrinIm/IMLog/");
}
