#pragma once

#include <QByteArray>

// Which Qt platform plug-in the shell asks for. On a Wayland desktop with XWayland it
// takes X11: only there can a window place itself, stay on top and read idle time.
class DisplayPlatform
{
public:
    // The value for QT_QPA_PLATFORM, or empty to leave Qt's own choice; a value the
    // user set always stands.
    static QByteArray choose(const QByteArray &qpaPlatform, const QByteArray &waylandDisplay,
                             const QByteArray &x11Display);
    // Before the application object exists.
    static void preferXcbOnXWayland();
};
