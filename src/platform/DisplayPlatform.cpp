#include "DisplayPlatform.h"

#include <QtGlobal>

QByteArray DisplayPlatform::choose(const QByteArray &qpaPlatform, const QByteArray &waylandDisplay,
                                   const QByteArray &x11Display)
{
    if (!qpaPlatform.isEmpty() || waylandDisplay.isEmpty() || x11Display.isEmpty())
        return QByteArray();
    return QByteArrayLiteral("xcb");
}

void DisplayPlatform::preferXcbOnXWayland()
{
    QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    // Qt itself goes to the default socket in a Wayland session without the variable.
    if (wayland.isEmpty() && qgetenv("XDG_SESSION_TYPE") == "wayland")
        wayland = QByteArrayLiteral("wayland-0");
    const QByteArray platform = choose(qgetenv("QT_QPA_PLATFORM"), wayland, qgetenv("DISPLAY"));
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}
