#include "WindowPlacement.h"

#include <algorithm>
#include <climits>

namespace {

constexpr int UnsetPoint = 10;
constexpr int TopMargin = 11;

int rightEdge(const QRect &r) { return r.x() + r.width(); }
int bottomEdge(const QRect &r) { return r.y() + r.height(); }

} // namespace

QRect WindowPlacement::restore(const Stored &stored, const QList<Screen> &screens, int primary,
                               QString *warning)
{
    int width = stored.width;
    int height = stored.height;
    if (width < 5 || height < 5) {
        width = DefaultWidth;
        height = DefaultHeight;
    }
    const int pointx = stored.pointx < 0 ? UnsetPoint : stored.pointx;
    const int pointy = stored.pointy < 0 ? UnsetPoint : stored.pointy;

    const QRect primaryArea = screens.value(primary, screens.value(0)).available;
    const QRect defaultPlace(rightEdge(primaryArea) - width, TopMargin, width, height);
    if (pointx == 0) {
        if (warning)
            *warning = QStringLiteral("pointx is null");
        return defaultPlace;
    }

    // The remembered place may lie on a monitor that is gone or smaller now:
    // only a screen spanning pointx may take the window.
    const Screen *home = nullptr;
    int bestDistance = INT_MAX;
    for (const Screen &screen : screens) {
        const QRect &area = screen.available;
        if (pointx < area.x() || pointx >= rightEdge(area))
            continue;
        const int distance = pointy < area.y() ? area.y() - pointy
                             : pointy >= bottomEdge(area) ? pointy - bottomEdge(area) + 1
                                                          : 0;
        if (distance < bestDistance) {
            bestDistance = distance;
            home = &screen;
        }
    }
    if (!home || pointy < home->available.y())
        return defaultPlace;

    const QRect &area = home->available;
    if (pointy > bottomEdge(area) - height)
        return {pointx, std::max(0, bottomEdge(area) - height), width, height};
    if (pointx > rightEdge(area) - width)
        return {std::max(0, rightEdge(area) - width), pointy, width, height};
    return {pointx, pointy, width, height};
}

QPoint WindowPlacement::hiddenPosition(int stayType, const QRect &window, const Screen &screen)
{
    const QRect &g = screen.geometry;
    switch (stayType) {
    case Left:
        return {g.x() + VisibleStrip - window.width(), window.y()};
    case Right:
        return {rightEdge(g) - VisibleStrip, window.y()};
    case Top:
        return {window.x(), g.y() + VisibleStrip - window.height()};
    case Bottom:
        return {window.x(), bottomEdge(screen.available) - VisibleStrip};
    default:
        return window.topLeft();
    }
}

QSize WindowPlacement::clampSize(const QSize &size, const QRect &available)
{
    const int maxHeight = std::max(DefaultHeight, available.height());
    return {std::clamp(size.width(), DefaultWidth, MaxWidth),
            std::clamp(size.height(), DefaultHeight, maxHeight)};
}

QRect WindowPlacement::shownGeometry(int &stayType, const QRect &window, const Screen &screen)
{
    const QRect &g = screen.geometry;
    const QRect &a = screen.available;
    const bool edgeFree = (stayType == Left && a.x() == g.x())
                          || (stayType == Right && rightEdge(a) == rightEdge(g))
                          || (stayType == Top && a.y() == g.y())
                          || (stayType == Bottom && bottomEdge(a) == bottomEdge(g));
    if (!edgeFree) {
        // A panel owns that edge: keep the size, stand against the panel, undock.
        QRect placed = window;
        if (stayType == Left)
            placed.moveLeft(a.x());
        else if (stayType == Right)
            placed.moveLeft(rightEdge(a) - window.width());
        else if (stayType == Top)
            placed.moveTop(a.y());
        else if (stayType == Bottom)
            placed.moveTop(bottomEdge(a) - window.height());
        stayType = Free;
        return placed;
    }
    switch (stayType) {
    case Left: {
        const QSize size = clampSize({window.width(), a.height()}, a);
        return {a.topLeft(), size};
    }
    case Right: {
        const QSize size = clampSize({window.width(), a.height()}, a);
        return {QPoint(rightEdge(a) - size.width(), a.y()), size};
    }
    case Top: {
        const QSize size = clampSize(window.size(), a);
        return {QPoint(window.x(), a.y()), size};
    }
    case Bottom: {
        const QSize size = clampSize(window.size(), a);
        return {QPoint(window.x(), bottomEdge(a) - size.height()), size};
    }
    default:
        return window;
    }
}

int WindowPlacement::edgeTouched(const QRect &window, const Screen &screen)
{
    const QRect &a = screen.available;
    if (window.y() <= a.y())
        return Top;
    if (window.x() <= a.x())
        return Left;
    if (rightEdge(window) >= rightEdge(a))
        return Right;
    if (bottomEdge(window) >= bottomEdge(a))
        return Bottom;
    return Free;
}

int WindowPlacement::screenFor(const QRect &window, const QList<Screen> &screens)
{
    int best = -1;
    qint64 bestArea = 0;
    for (int i = 0; i < screens.size(); ++i) {
        const QRect overlap = screens[i].geometry.intersected(window);
        const qint64 area = qint64(overlap.width()) * overlap.height();
        if (!overlap.isEmpty() && area > bestArea) {
            bestArea = area;
            best = i;
        }
    }
    if (best >= 0 || screens.isEmpty())
        return std::max(best, 0);
    qint64 nearest = LLONG_MAX;
    for (int i = 0; i < screens.size(); ++i) {
        const QPoint d = screens[i].geometry.center() - window.center();
        const qint64 distance = qint64(d.x()) * d.x() + qint64(d.y()) * d.y();
        if (distance < nearest) {
            nearest = distance;
            best = i;
        }
    }
    return best;
}
