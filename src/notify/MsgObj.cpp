#include "MsgObj.h"

#include "MsgTemplates.h"
#include "log/ShellLog.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

MsgObj::MsgObj(QObject *parent) : QObject(parent) {}

void MsgObj::setStrNewLine(const QString &line)
{
    if (line == m_strNewLine)
        return;
    m_strNewLine = line;
    emit strNewLineChanged();
}

void MsgObj::slot_showImage(const QString &imagePath)
{
    const QUrl url(imagePath);
    const QString path = url.isLocalFile() ? url.toLocalFile() : imagePath;
    const QString folder = QFileInfo(m_userFolder).canonicalFilePath();
    const QString file = QFileInfo(path).canonicalFilePath();
    if (folder.isEmpty() || file.isEmpty() || !file.startsWith(folder + QLatin1Char('/'))) {
        LOG_WARN(QStringLiteral("message page asked to show a picture outside the user's folder: %1")
                     .arg(imagePath.left(200)));
        return;
    }
    emit signal_showImage(file);
}

void MsgObj::slot_downLoadpic(const QString &picname, const QString &fileId)
{
    const QString name = MsgTemplates::bareFileName(picname);
    if (name.isEmpty()) {
        LOG_WARN(QStringLiteral("message page asked for a picture with a bad name: %1").arg(picname.left(200)));
        return;
    }
    emit signal_downLoadpic(name, fileId);
}

void MsgObj::slot_showVcard(const QString &frdjid)
{
    emit signal_showVcard(frdjid);
}

void MsgObj::ready()
{
    emit signal_ready();
}
