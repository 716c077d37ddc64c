#include "MyLineEdit.h"

MyLineEdit::MyLineEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setStyleSheet(QStringLiteral(
        "QLineEdit{border:1px solid transparent;border-radius:2px;background:transparent;padding:0px 4px;color:#322926;}"
        "QLineEdit:hover{border:1px solid #c8c8c8;}"
        "QLineEdit:focus{border:1px solid #4dc9b0;background:#ffffff;}"));
}

void MyLineEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    emit signal_focusOut();
}
