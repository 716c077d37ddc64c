#include "CTextEditEx.h"

#include <QSignalBlocker>
#include <QTextCursor>

CTextEditEx::CTextEditEx(QWidget *parent)
    : QTextEdit(parent)
{
    setAcceptRichText(false);
    setStyleSheet(QStringLiteral(
        "QTextEdit{border:1px solid #d5d5d5;border-radius:2px;background:#ffffff;padding:3px;color:#322926;"
        "selection-background-color:#4dc9b0;selection-color:#ffffff;}"
        "QTextEdit:focus{border:1px solid #4dc9b0;}"));
    connect(this, &QTextEdit::textChanged, this, &CTextEditEx::enforceLimit);
}

void CTextEditEx::setMaxLength(int length)
{
    m_maxLength = qMax(0, length);
    enforceLimit();
}

void CTextEditEx::enforceLimit()
{
    if (m_maxLength <= 0)
        return;
    const QString text = toPlainText();
    if (text.size() <= m_maxLength)
        return;
    const QSignalBlocker blocker(this);
    setPlainText(text.left(m_maxLength));
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::End);
    setTextCursor(cursor);
}
