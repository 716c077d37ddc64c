#pragma once

#include <QtGlobal>

#include <functional>
#include <optional>

// Seconds since the user last used keyboard or mouse, from the display server.
// Empty when the desktop does not tell: automatic presence is then off.
class IdleTime
{
public:
    using Source = std::function<std::optional<qint64>()>;

    static std::optional<qint64> seconds();
    // Replaces the display server for tests; an empty source restores it.
    static void setSource(Source source);
};
