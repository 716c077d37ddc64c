#pragma once

#include <QList>
#include <QtGlobal>

#include <functional>

struct xcb_connection_t;

// Whether another application's full-screen window is in front, as the window
// manager announces it; false wherever that cannot be known (Wayland, no X server).
class FullScreenWindow
{
public:
    static bool isFullScreenInFront();

    // The decision on one X connection: the active window is full screen, not one
    // of ownWindows, not of process ownPid and not the desktop.
    static bool isFullScreenInFront(xcb_connection_t *connection, quint32 rootWindow,
                                    const QList<quint32> &ownWindows, qint64 ownPid);

    // Replaces the X query for tests of the callers; an empty probe restores it.
    static void setProbe(std::function<bool()> probe);
};
