#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// Where the main window goes: its remembered place, its docked and hidden
// places at a screen edge. Pure geometry, so every screen layout can be tried.
class WindowPlacement
{
public:
    enum StayType { Free = 0, Top = 1, Bottom = 2, Left = 3, Right = 4 };

    static constexpr int DefaultWidth = 270;
    static constexpr int DefaultHeight = 650;
    static constexpr int MaxWidth = 600;
    static constexpr int VisibleStrip = 3;

    // The five "/Rect" values as stored; negative or tiny values mean unset.
    struct Stored
    {
        int height = -1;
        int width = -1;
        int pointx = -1;
        int pointy = -1;
        int stayType = Free;
    };

    struct Screen
    {
        QRect geometry;
        QRect available;
    };

    // The restored geometry; warning gets "pointx is null" when that case applies.
    static QRect restore(const Stored &stored, const QList<Screen> &screens, int primary,
                         QString *warning = nullptr);

    // The place a docked window hides at, with VisibleStrip pixels left on screen.
    static QPoint hiddenPosition(int stayType, const QRect &window, const Screen &screen);

    // The geometry a docked window shows at when the mouse enters. stayType is set
    // to Free when the available area does not reach that edge (a panel lies there).
    static QRect shownGeometry(int &stayType, const QRect &window, const Screen &screen);

    // The edge a window at this place touches, or Free.
    static int edgeTouched(const QRect &window, const Screen &screen);

    // The screen holding most of the rectangle, else the one nearest its centre.
    static int screenFor(const QRect &window, const QList<Screen> &screens);

    static QSize clampSize(const QSize &size, const QRect &available);
};
