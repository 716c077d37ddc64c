#include "SkinPainter.h"

#include "app/SystemSetData.h"
#include "common/ResourcePath.h"
#include "log/ShellLog.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>

namespace {

QString picturePath(const SysUIData &skin, const QString &fallbackPicture)
{
    if (skin.paintPicture && !skin.backgroundPath.isEmpty())
        return ResourcePath::resolve(skin.backgroundPath);
    if (!fallbackPicture.isEmpty())
        return ResourcePath::resolve(fallbackPicture);
    return QString();
}

// The picture scaled once per screen size to cover it.
QPixmap coveringPicture(const QString &path, const QSize &screen)
{
    const QString key = QStringLiteral("lumio-skin:%1:%2x%3").arg(path).arg(screen.width()).arg(screen.height());
    QPixmap scaled;
    if (QPixmapCache::find(key, &scaled))
        return scaled;
    QPixmap picture(path);
    if (picture.isNull()) {
        LOG_WARN(QStringLiteral("SkinPainter: cannot load the background %1").arg(path));
        return QPixmap();
    }
    scaled = picture.scaled(screen, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    QPixmapCache::insert(key, scaled);
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
    const QPixmap picture = coveringPicture(path, screenSize.expandedTo(globalTarget.size()));
    if (picture.isNull())
        return;
    // The window shows the part of the screen-wide picture that lies under it.
    QPoint origin = globalTarget.topLeft() - (screen.isValid() ? screen.topLeft() : QPoint());
    origin.setX(qBound(0, origin.x(), qMax(0, picture.width() - target.width())));
    origin.setY(qBound(0, origin.y(), qMax(0, picture.height() - target.height())));
    painter.save();
    painter.setOpacity(qBound(0, skin.backgroundOpacity, 255) / 255.0);
    painter.drawPixmap(target, picture, QRect(origin, target.size()));
    painter.restore();
}
