#pragma once

#include <lumio/SysUIData.h>

#include <QRect>
#include <QString>

class QPainter;

// Paints the current skin's background behind a framed window's content. The
// picture is spread over the window's screen, so neighbouring windows show
// neighbouring parts of it; without a picture the skin's two colours make a gradient.
class SkinPainter
{
public:
    static SysUIData current();

    // target: the painted area in widget coordinates; globalTarget the same area on
    // screen; screen the available geometry of the window's screen. fallbackPicture
    // (a quoted path) is used when the skin has no picture of its own.
    static void paint(QPainter &painter, const QRect &target, const QRect &globalTarget,
                      const QRect &screen, const SysUIData &skin,
                      const QString &fallbackPicture = QString());

    // True when the skin (or the fallback) gives a picture that can be loaded.
    static bool hasPicture(const SysUIData &skin, const QString &fallbackPicture = QString());
};
