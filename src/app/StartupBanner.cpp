#include "StartupBanner.h"

#include <QDateTime>
#include <QDebug>

void startupBanner(const char *text)
{
    qDebug().noquote() << QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"))
                       << QString::fromUtf8(text);
}
