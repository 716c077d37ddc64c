#pragma once

#include <lumio/SysUIData.h>

#include <QString>

class QWidget;

// The appearance last broadcast by the shell, shared by the pack's windows.
class PackSkin
{
public:
    static SysUIData current();
    static void set(const SysUIData &skin);
    // The title-bar band colour and its gradient partner.
    static QString firstColor();
    static QString secondColor();
    // Buttons and bands that carry white text.
    static QString accentColor();
    // Paints a window's header band and buttons from the current skin.
    static void apply(QWidget *window);
};
