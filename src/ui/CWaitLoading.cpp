#include "CWaitLoading.h"

#include <QPainter>
#include <QtMath>

namespace {
constexpr int Dots = 12;
constexpr int Ring = 36;
}

CWaitLoading::CWaitLoading(QWidget *parent)
    : QWidget(parent)
{
    m_timer.setInterval(80);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_step = (m_step + 1) % Dots;
        update();
    });
}

void CWaitLoading::setText(const QString &text)
{
    m_text = text;
    updateGeometry();
    update();
}

void CWaitLoading::start()
{
    m_timer.start();
    show();
}

void CWaitLoading::stop()
{
    m_timer.stop();
}

void CWaitLoading::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_timer.stop();
}

QSize CWaitLoading::sizeHint() const
{
    const int textWidth = m_text.isEmpty() ? 0 : fontMetrics().horizontalAdvance(m_text);
    return QSize(qMax(Ring + 8, textWidth + 8), Ring + 8 + (m_text.isEmpty() ? 0 : fontMetrics().height() + 6));
}

void CWaitLoading::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(width() / 2.0, 4 + Ring / 2.0);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < Dots; ++i) {
        // The head is brightest; the dots behind it fade.
        const int age = (m_step - i + Dots) % Dots;
        QColor colour(0x4d, 0xc9, 0xb0);
        colour.setAlphaF(1.0 - age * 0.07);
        const qreal angle = 2 * M_PI * i / Dots - M_PI / 2;
        const QPointF at = centre + QPointF(qCos(angle), qSin(angle)) * (Ring / 2.0 - 4);
        painter.setBrush(colour);
        painter.drawEllipse(at, 3.0 - age * 0.12, 3.0 - age * 0.12);
    }
    if (!m_text.isEmpty()) {
        painter.setPen(QColor(0x5f, 0x6b, 0x68));
        painter.drawText(QRect(0, Ring + 10, width(), fontMetrics().height()), Qt::AlignHCenter, m_text);
    }
}
