#include "SkinPainter.h"

#include "app/SystemSetData.h"
#include "common/ResourcePath.h"
#include "log/ShellLog.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

namespace {

QString picturePath(const SysUIData &skin, const QString &fallbackPicture)
{
    if (skin.paintPicture && !skin.backgroundPath.isEmpty())
        return ResourcePath::resolve(skin.backgroundPath);
    if (!fallbackPicture.isEmpty())
        return ResourcePath::resolve(fallbackPicture);
    return QString();
}

// The picture scaled once per screen size to cover it. A few entries suffice (one
// per screen size in use); QPixmapCache would drop a 2x screen's picture at once.
QPixmap coveringPicture(const QString &path, const QSize &pixels)
{
    struct Entry
    {
        QString path;
        QSize pixels;
        QPixmap picture;
    };
    static QList<Entry> cache;
    for (const Entry &entry : cache) {
        if (entry.path == path && entry.pixels == pixels)
            return entry.picture;
    }
    QPixmap picture(path);
    if (picture.isNull()) {
        LOG_WARN(QStringLiteral("SkinPainter: cannot load the background %1").arg(path));
        return QPixmap();
    }
    const QPixmap scaled = picture.scaled(pixels, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    cache.prepend({path, pixels, scaled});
    while (cache.size() > 4)
        cache.removeLast();
    return scaled;
}

} // namespace

SysUIData SkinPainter::current()
{
    return SystemSetData::instance()->currentSkin();
}

bool SkinPainter::hasPicture(const SysUIData &skin, const QString &fallbackPicture)
{
    const QString path = picturePath(skin, fallbackPicture);
    return !path.isEmpty() && !coveringPicture(path, QSize(64, 64)).isNull();
}

void SkinPainter::paint(QPainter &painter, const QRect &target, const QRect &globalTarget,
                        const QRect &screen, const SysUIData &skin, const QString &fallbackPicture)
{
    if (target.isEmpty())
        return;
    const QColor first = skin.firstColor.isValid() ? skin.firstColor : QColor(0xa5, 0xe4, 0xd7);
    const QColor second = skin.secondColor.isValid() ? skin.secondColor : QColor(0x82, 0xda, 0xc8);
    QLinearGradient gradient(target.topLeft(), target.topRight());
    gradient.setColorAt(0, first);
    gradient.setColorAt(1, second);
    painter.fillRect(target, gradient);

    const QString path = picturePath(skin, fallbackPicture);
    if (path.isEmpty())
        return;
    const QSize screenSize = screen.isValid() ? screen.size() : QSize(1280, 800);
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QPixmap picture = coveringPicture(path, screenSize.expandedTo(globalTarget.size()) * ratio);
    if (picture.isNull())
        return;
    // The window shows the part of the screen-wide picture that lies under it.
    QPointF origin = (globalTarget.topLeft() - (screen.isValid() ? screen.topLeft() : QPoint())) * ratio;
    const QSizeF source = QSizeF(target.size()) * ratio;
    origin.setX(qBound<qreal>(0, origin.x(), qMax<qreal>(0, picture.width() - source.width())));
    origin.setY(qBound<qreal>(0, origin.y(), qMax<qreal>(0, picture.height() - source.height())));
    painter.save();
    painter.setOpacity(qBound(0, skin.backgroundOpacity, 255) / 255.0);
    painter.drawPixmap(QRectF(target), picture, QRectF(origin, source));
    painter.restore();
}
