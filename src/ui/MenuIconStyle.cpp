#include "MenuIconStyle.h"

#include <QStyleFactory>

MenuIconStyle::MenuIconStyle(QObject *owner)
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
    setParent(owner);
}

int MenuIconStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    if (metric == PM_SmallIconSize)
        return 18;
    return QProxyStyle::pixelMetric(metric, option, widget);
}
