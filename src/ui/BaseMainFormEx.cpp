#include "BaseMainFormEx.h"

BaseMainFormEx::BaseMainFormEx(QWidget *parent)
    : CBaseFormEx(parent)
{
    framePainter().setFallbackPicture(backgroundPicture());
}

QString BaseMainFormEx::backgroundPicture()
{
    return QStringLiteral("Resources\\Skins\\bg_main.png");
}
