#include "PushButtonEx.h"

#include <QPushButton>

PushButtonEx::PushButtonEx(QWidget *parent)
    : PushButtonEx(QString(), parent)
{
}

PushButtonEx::PushButtonEx(const QString &text, QWidget *parent)
    : FadeButtonBase(parent)
{
    setBaseStyle(QStringLiteral("QWidget#widgetBG{border-radius:2px;background-color:#c8c8c8}"));
    m_button->setStyleSheet(QStringLiteral(
        "QPushButton#pushButton{background-color:transparent;border:none;color:#322926;font-size:13px;}"));
    setText(text);
}

void PushButtonEx::setText(const QString &text)
{
    m_button->setText(text);
    updateGeometry();
}

QString PushButtonEx::text() const
{
    return m_button->text();
}

QSize PushButtonEx::sizeHint() const
{
    const int width = m_button->fontMetrics().horizontalAdvance(text()) + 32;
    return QSize(qMax(72, width), 28);
}
