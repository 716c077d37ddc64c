#include "AppFonts.h"

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

QString AppFonts::installIconFont(const QString &fontFile)
{
    const int id = QFontDatabase::addApplicationFont(fontFile);
    if (id < 0)
        return {};
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? QString() : families.first();
}

QFont AppFonts::iconFont(const QString &family)
{
    QFont font(family);
    font.setPixelSize(12);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}
