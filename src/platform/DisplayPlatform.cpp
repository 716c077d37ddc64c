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
    const QByteArray platform = choose(qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"),
                                       qgetenv("DISPLAY"));
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}
