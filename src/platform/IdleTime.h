#pragma once

#include <QtGlobal>

#include <functional>
#include <optional>

struct _XDisplay;

// Seconds since the user last used keyboard or mouse, from the display server.
// Empty when the desktop does not tell: automatic presence is then off.
class IdleTime
{
public:
    using Source = std::function<std::optional<qint64>()>;

    static std::optional<qint64> seconds();
    // The X server's answer on one connection (the screen-saver extension).
    static std::optional<qint64> fromX11(_XDisplay *display);
    // Replaces the display server for tests; an empty source restores it.
    static void setSource(Source source);
};
