#include "CIconButtonEx.h"

#include "common/ResourcePath.h"

#include <QPushButton>

CIconButtonEx::CIconButtonEx(QWidget *parent)
    : FadeButtonBase(parent)
{
    setPressedStyle(pressedStyle());
    setFixedSize(32, 32);
}

QString CIconButtonEx::iconStyle(const QString &quoted)
{
    return QStringLiteral("border-image: url(%1);margin:5px;").arg(ResourcePath::resolve(quoted));
}

QString CIconButtonEx::pressedStyle()
{
    return QStringLiteral("QWidget#widgetBG{border-radius:2px;background-color:#ff8700;}");
}

void CIconButtonEx::setIcon(const QString &quoted)
{
    m_icon = quoted;
    m_button->setStyleSheet(iconStyle(quoted));
}
