#include "singleLabel.h"

singleLabel::singleLabel(QWidget *parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setColourIndex(0);
}

QStringList singleLabel::colours()
{
    return {
        QStringLiteral("background-color:#2ab0ff;"),
        QStringLiteral("background-color:#ff9999;"),
        QStringLiteral("background-color:#ff8700;"),
        QStringLiteral("background-color:#80c84c;"),
        QStringLiteral("background-color:#2caea7;"),
    };
}

void singleLabel::setColourIndex(int index)
{
    const QStringList all = colours();
    m_index = ((index % all.size()) + all.size()) % all.size();
    setStyleSheet(all.at(m_index) + QStringLiteral("border-radius:2px;color:#ffffff;padding:2px 8px;font-size:12px;"));
}
