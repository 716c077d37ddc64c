#include "FramePainter.h"

#include "SkinPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace {

const QColor LineGrey(221, 221, 221);

QPainterPath rounded(const QRectF &rect, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

} // namespace

QRect FramePainter::contentRect(const QRect &windowRect) const
{
    const int m = margin();
    return windowRect.adjusted(m, m, -m, -m);
}

void FramePainter::paint(QPainter &painter, const QWidget *window) const
{
    const QRect whole = window->rect();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (m_translucent)
        painter.setCompositionMode(QPainter::CompositionMode_Source);

    // Frame: a rounded light-grey body the content sits in.
    const QRectF frame = m_translucent ? QRectF(whole).adjusted(3, 3, -3, -3) : QRectF(whole);
    if (m_translucent)
        painter.fillRect(whole, Qt::transparent);
    QLinearGradient grey(frame.topLeft(), frame.bottomLeft());
    grey.setColorAt(0, LineGrey);
    grey.setColorAt(1, LineGrey.darker(108));
    painter.fillPath(rounded(frame, 2), grey);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);

    // Shadow: ring i inset by 3 - i, fading outwards (alpha 50, 25, 14).
    if (m_translucent) {
        painter.setBrush(Qt::NoBrush);
        for (int i = 0; i < 3; ++i) {
            const int inset = 3 - i;
            const int alpha = static_cast<int>(50 - 25 * std::sqrt(static_cast<double>(i)));
            painter.setPen(QPen(QColor(0, 0, 0, alpha), 1));
            painter.drawRoundedRect(QRectF(whole).adjusted(inset + 0.5, inset + 0.5, -inset - 0.5, -inset - 0.5), 2, 2);
        }
    }

    const QRect content = contentRect(whole);
    painter.setClipPath(rounded(content, 2));
    painter.setPen(Qt::NoPen);

    // Skin under the whole content; the white area covers all below the band.
    QRect screen;
    if (const QScreen *s = window->screen())
        screen = s->availableGeometry();
    const QRect globalContent(window->mapToGlobal(content.topLeft()), content.size());
    const int band = qBound(0, m_bandHeight, content.height());
    if (band > 0)
        SkinPainter::paint(painter, content, globalContent, screen, m_skin, m_fallbackPicture);

    const QRect white(content.left(), content.top() + band, content.width(), content.height() - band);
    if (!white.isEmpty()) {
        const int alpha = band > 0 ? qBound(0, m_skin.whiteOpacity, 255) : 255;
        painter.fillRect(white, QColor(255, 255, 255, alpha));
        if (m_footerHeight > 0 && m_footerHeight < white.height()) {
            const QRect footer(white.left(), white.bottom() - m_footerHeight + 1, white.width(), m_footerHeight);
            painter.fillRect(footer, QColor(246, 246, 246, alpha));
            painter.fillRect(QRect(footer.left(), footer.top(), footer.width(), 1), LineGrey);
        }
        if (band > 0)
            painter.fillRect(QRect(white.left(), white.top(), white.width(), 1), LineGrey);
    }
    painter.restore();
}
