#pragma once

#include "FadeButtonBase.h"

// A square icon button: the picture inset by 5 pixels, a grey layer fading in on
// hover and an orange background while pressed.
class CIconButtonEx : public FadeButtonBase
{
    Q_OBJECT
public:
    explicit CIconButtonEx(QWidget *parent = nullptr);

    // quoted: a resource path as the code writes it.
    void setIcon(const QString &quoted);
    QString icon() const { return m_icon; }
    static QString iconStyle(const QString &quoted);
    static QString pressedStyle();

private:
    QString m_icon;
};
