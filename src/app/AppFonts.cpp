#include "AppFonts.h"

#include "common/CommonFun.h"

#include <QFontDatabase>
#include <QStringList>

QFont AppFonts::applicationFont()
{
    const QStringList families = QFontDatabase::families();
    if (families.contains(QStringLiteral("微软雅黑")))
        return QFont(QStringLiteral("Microsoft Yahei"), 9);
    QFont font(QStringLiteral("SimSun"), 9);
    if (!families.contains(QStringLiteral("SimSun"))) {
        // Neither Windows font is here: take an installed CJK family so Chinese renders.
        for (const QString &fallback : {QStringLiteral("Noto Sans CJK SC"),
                                        QStringLiteral("WenQuanYi Micro Hei"),
                                        QStringLiteral("Noto Sans CJK")}) {
            if (families.contains(fallback)) {
                font.setFamily(fallback);
                break;
            }
        }
    }
    return font;
}

QFont AppFonts::iconFont()
{
    return CommonFun::iconFont(12);
}
