#pragma once

#include <QString>

#include <optional>

// Whether translucent windows show what lies behind them. Under X11 only a
// compositing manager (the owner of _NET_WM_CM_S<screen>) makes that so; without
// one the transparent pixels come out black and framed windows must paint opaque.
class Compositor
{
public:
    // The answer for this process's display: the forced one if set, else asked.
    static bool isRunning();
    // Tests and special setups force an answer; std::nullopt asks the display again.
    static void setForcedAnswer(std::optional<bool> answer);

    // The decision itself: platform is the Qt platform name, x11Owner whether the
    // selection has an owner (std::nullopt when X11 could not be asked).
    static bool decide(const QString &platform, std::optional<bool> x11Owner);

private:
    static std::optional<bool> askX11();
};
