#pragma once

#include <QLineEdit>

// A line edit that reads as plain text until hovered (border) or focused (accent
// border, white field); used for in-place editing such as the signature.
class MyLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit MyLineEdit(QWidget *parent = nullptr);

signals:
    void signal_focusOut();

protected:
    void focusOutEvent(QFocusEvent *event) override;
};
