#include "CPushButtonIconEx.h"

#include "CIconButtonEx.h"

#include <QPushButton>

CPushButtonIconEx::CPushButtonIconEx(QWidget *parent)
    : FadeButtonBase(parent)
{
    setPressedStyle(CIconButtonEx::pressedStyle());
    setFixedSize(32, 32);
    connect(this, &FadeButtonBase::clicked, this, [this] {
        if (m_checkable)
            setChecked(!m_checked);
    });
}

void CPushButtonIconEx::setIcon(const QString &quoted)
{
    m_button->setStyleSheet(CIconButtonEx::iconStyle(quoted));
}

void CPushButtonIconEx::setCheckable(bool checkable)
{
    m_checkable = checkable;
    if (!checkable)
        setChecked(false);
}

void CPushButtonIconEx::setChecked(bool checked)
{
    if (checked == m_checked)
        return;
    m_checked = checked;
    showPressed(false);
    emit toggled(checked);
}

void CPushButtonIconEx::showPressed(bool pressed)
{
    FadeButtonBase::showPressed(pressed || m_checked);
}
