#pragma once

#include <QTextEdit>

// The plain-text editor of forms: no rich text, an optional limit on its length
// (characters typed or pasted beyond it are dropped).
class CTextEditEx : public QTextEdit
{
    Q_OBJECT
public:
    explicit CTextEditEx(QWidget *parent = nullptr);

    // 0: no limit.
    void setMaxLength(int length);
    int maxLength() const { return m_maxLength; }

private:
    void enforceLimit();

    int m_maxLength = 0;
};
