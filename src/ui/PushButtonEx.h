#pragma once

#include "FadeButtonBase.h"

// A text button on a rounded grey background that darkens softly on hover.
class PushButtonEx : public FadeButtonBase
{
    Q_OBJECT
public:
    explicit PushButtonEx(QWidget *parent = nullptr);
    explicit PushButtonEx(const QString &text, QWidget *parent = nullptr);

    void setText(const QString &text);
    QString text() const;
    QSize sizeHint() const override;
};
