#include "HeadImage.h"

#include "log/FunctionTrace.h"
#include "log/ShellLog.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <QUrl>

namespace {

bool isSafeFileName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c == QLatin1Char('/') || c == QLatin1Char('\\'))
            return false;
    }
    return true;
}

QByteArray imageFormatFor(const QString &fileName)
{
    const QByteArray suffix = QFileInfo(fileName).suffix().toLower().toLatin1();
    return QImageWriter::supportedImageFormats().contains(suffix) ? suffix : QByteArray("png");
}

} // namespace

QString HeadImage::folder(const QString &userFolder)
{
    return userFolder + QStringLiteral("/designHeadImage");
}

QString HeadImage::fileName(const QString &imageUrl, const QString &jid, int size)
{
    QString name = QUrl(imageUrl.trimmed()).fileName();
    if (name.isEmpty() && !jid.isEmpty()) {
        name = jid.section(QLatin1Char('/'), 0, 0);
        if (size > 0)
            name += QLatin1Char('_') + QString::number(size);
        name += QStringLiteral(".png");
    }
    if (!isSafeFileName(name)) {
        LOG_WARN(QStringLiteral("HeadImage::fileName: no file name for url \"%1\", jid \"%2\"")
                     .arg(imageUrl, jid));
        return {};
    }
    return name;
}

QString HeadImage::path(const QString &userFolder, const QString &imageUrl, const QString &jid,
                        int size)
{
    if (userFolder.isEmpty()) {
        LOG_WARN(QStringLiteral("HeadImage::path: no user folder"));
        return {};
    }
    const QString name = fileName(imageUrl, jid, size);
    return name.isEmpty() ? QString() : folder(userFolder) + QLatin1Char('/') + name;
}

QString HeadImage::save(const QString &userFolder, const QString &imageUrl, const QString &jid,
                        int width, int height, const QPixmap &picture)
{
    LOG_FUNCTION();
    if (picture.isNull() || width <= 0 || height <= 0) {
        LOG_WARN(QStringLiteral("HeadImage::save: no picture or size %1x%2 for \"%3\"")
                     .arg(width)
                     .arg(height)
                     .arg(jid));
        return {};
    }
    const QString target = path(userFolder, imageUrl, jid, width);
    if (target.isEmpty())
        return {};
    if (!QDir().mkpath(folder(userFolder))) {
        LOG_WARN(QStringLiteral("HeadImage::save: cannot create %1").arg(folder(userFolder)));
        return {};
    }
    const QPixmap scaled = picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || !scaled.save(&file, imageFormatFor(target).constData())
        || !file.commit()) {
        LOG_WARN(QStringLiteral("HeadImage::save: cannot write %1").arg(target));
        return {};
    }
    return target;
}

QPixmap HeadImage::round(const QPixmap &picture, int diameter)
{
    if (picture.isNull() || diameter <= 0) {
        LOG_WARN(QStringLiteral("HeadImage::round: no picture or diameter %1").arg(diameter));
        return {};
    }
    const QPixmap filled = picture.scaled(diameter, diameter, Qt::KeepAspectRatioByExpanding,
                                          Qt::SmoothTransformation);
    QPixmap result(diameter, diameter);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QPainterPath circle;
    circle.addEllipse(0, 0, diameter, diameter);
    painter.setClipPath(circle);
    painter.drawPixmap((diameter - filled.width()) / 2, (diameter - filled.height()) / 2, filled);
    painter.end();
    return result;
}
