#include "AppFonts.h"

#include "common/CommonFun.h"

#include <QStringList>

QFont AppFonts::applicationFont()
{
    // Listing the installed families costs tens of milliseconds at start-up;
    // a family list lets the first text drawn pick the first one installed:
    // the Windows fonts when present, else an installed CJK family so Chinese renders.
    QFont font(QStringLiteral("Microsoft Yahei"), 9);
    font.setFamilies({QStringLiteral("Microsoft Yahei"), QStringLiteral("微软雅黑"),
                      QStringLiteral("SimSun"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK")});
    return font;
}

QFont AppFonts::iconFont()
{
    return CommonFun::iconFont(12);
}
