#include "HeadLabel.h"

#include "common/HeadImage.h"
#include "common/ResourcePath.h"
#include "log/ShellLog.h"

#include <QMouseEvent>
#include <QPainter>

HeadLabel::HeadLabel(QWidget *parent)
    : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFixedSize(56, 56);
    setHeadPicture(QString());
}

QString HeadLabel::defaultHead()
{
    return QStringLiteral("Resources\\images\\FriendDetail\\defaultHead.png");
}

void HeadLabel::setHeadPicture(const QString &file)
{
    QPixmap picture;
    if (!file.isEmpty() && !picture.load(file))
        LOG_WARN(QStringLiteral("HeadLabel: cannot load %1, showing the default head").arg(file));
    m_default = picture.isNull();
    if (m_default)
        picture = ResourcePath::pixmap(defaultHead());
    m_head = picture;
    update();
}

void HeadLabel::setName(const QString &name)
{
    setToolTip(name);
    setAccessibleName(name);
}

void HeadLabel::setPresenceIcon(const QString &quoted)
{
    m_badge = quoted.isEmpty() ? QPixmap() : ResourcePath::pixmap(quoted);
    update();
}

void HeadLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const int diameter = qMin(width(), height()) - 2;
    const qreal ratio = devicePixelRatioF();
    const QRectF circle(1, 1, diameter, diameter);
    if (!m_head.isNull()) {
        QPixmap round = HeadImage::round(m_head, qRound(diameter * ratio));
        round.setDevicePixelRatio(ratio);
        painter.drawPixmap(circle.topLeft(), round);
    }
    painter.setPen(QPen(QColor(255, 255, 255, 220), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(circle.adjusted(0.5, 0.5, -0.5, -0.5));
    if (!m_badge.isNull()) {
        const QSizeF badge(16, 16);
        painter.drawPixmap(QRectF(QPointF(circle.right() - badge.width() + 1, circle.bottom() - badge.height() + 1), badge),
                           m_badge, m_badge.rect());
    }
}

void HeadLabel::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void HeadLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    emit signal_clickHeadLabel();
}
