#pragma once

#include <QFont>
#include <QString>

// The application font and the icon font of buttons and menus.
class AppFonts
{
public:
    static QFont applicationFont();
    // The icon font is CommonFun's; this is the size buttons and menus use.
    static QFont iconFont();
};
