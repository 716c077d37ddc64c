#include "HotLabel.h"

#include <QMouseEvent>

HotLabel::HotLabel(QWidget *parent)
    : HotLabel(QString(), parent)
{
}

HotLabel::HotLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    setStyleSheet(QStringLiteral("QLabel{color:#2ab0ff;}"));
}

void HotLabel::setUnderlined(bool underlined)
{
    QFont f = font();
    f.setUnderline(underlined);
    setFont(f);
}

void HotLabel::enterEvent(QEnterEvent *event)
{
    QLabel::enterEvent(event);
    setUnderlined(true);
}

void HotLabel::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    setUnderlined(false);
}

void HotLabel::mousePressEvent(QMouseEvent *event)
{
    // Taken here so the press does not start a drag of the framed window behind.
    event->accept();
}

void HotLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    event->accept();
}
