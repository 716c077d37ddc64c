#include "CBgMainWidgetEx.h"

#include "BaseMainFormEx.h"

#include <QResizeEvent>

CBgMainWidgetEx::CBgMainWidgetEx(QWidget *parent)
    : CBaseFormEx(parent)
{
    framePainter().setFallbackPicture(BaseMainFormEx::backgroundPicture());
    setBandHeight(QWIDGETSIZE_MAX);
}

void CBgMainWidgetEx::resizeEvent(QResizeEvent *event)
{
    CBaseFormEx::resizeEvent(event);
    setBandHeight(QWIDGETSIZE_MAX);
}
