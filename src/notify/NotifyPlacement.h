#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QScreen;

// Where the pop-ups near the tray go: the bottom-right corner of the work area
// of the screen holding the tray icon, or of the primary screen when the tray
// reports no geometry.
class NotifyPlacement
{
public:
    static QScreen *screenFor(const QRect &trayGeometry);
    // The top-left corner that puts a window of this size into that corner.
    static QPoint bottomRight(const QSize &size, const QRect &trayGeometry = QRect());
    // The same arithmetic on a given work area, for callers that know it.
    static QPoint bottomRightIn(const QSize &size, const QRect &availableArea);
};
