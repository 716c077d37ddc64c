#include "CStatusButtonEx.h"

#include "common/ResourcePath.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

CStatusButtonEx::CStatusButtonEx(QWidget *parent)
    : QWidget(parent)
{
    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("label_icon"));
    m_icon->setFixedSize(16, 16);
    m_icon->setScaledContents(true);
    m_button = new QPushButton(this);
    m_button->setObjectName(QStringLiteral("pushButton"));
    m_button->setStyleSheet(QStringLiteral("QPushButton#pushButton{background-color:transparent; color:#4d4941;}"
                                           "QPushButton#pushButton{border:none;padding:0px 14px 0px 2px;text-align:left;}"));
    m_button->setCursor(Qt::PointingHandCursor);
    m_button->setFocusPolicy(Qt::NoFocus);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_icon);
    layout->addWidget(m_button);
    layout->addStretch();
    setFixedHeight(22);
    connect(m_button, &QPushButton::clicked, this, &CStatusButtonEx::clicked);
}

void CStatusButtonEx::setStatus(const QString &icon, const QString &text)
{
    m_icon->setPixmap(ResourcePath::pixmap(icon));
    m_button->setText(text);
    m_button->setFixedWidth(m_button->fontMetrics().horizontalAdvance(text) + 18);
    update();
}

QString CStatusButtonEx::text() const
{
    return m_button->text();
}

void CStatusButtonEx::paintEvent(QPaintEvent *)
{
    // The drop-down arrow right of the text: a small chevron.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect r = m_button->geometry();
    const QPointF tip(r.right() - 5, r.center().y() + 2.5);
    painter.setPen(QPen(QColor(0x4d, 0x49, 0x41), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QList<QPointF>{tip + QPointF(-3.5, -3.5), tip, tip + QPointF(3.5, -3.5)});
}
