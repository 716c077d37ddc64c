#include "NotifyPlacement.h"

#include <QGuiApplication>
#include <QScreen>

QScreen *NotifyPlacement::screenFor(const QRect &trayGeometry)
{
    if (!trayGeometry.isEmpty()) {
        if (QScreen *screen = QGuiApplication::screenAt(trayGeometry.center()))
            return screen;
    }
    return QGuiApplication::primaryScreen();
}

QPoint NotifyPlacement::bottomRight(const QSize &size, const QRect &trayGeometry)
{
    QScreen *screen = screenFor(trayGeometry);
    if (!screen)
        return QPoint(0, 0);
    return bottomRightIn(size, screen->availableGeometry());
}

QPoint NotifyPlacement::bottomRightIn(const QSize &size, const QRect &availableArea)
{
    // QRect::right() and bottom() are the last pixels inside, hence the + 1.
    return QPoint(availableArea.right() + 1 - size.width(),
                  availableArea.bottom() + 1 - size.height());
}
