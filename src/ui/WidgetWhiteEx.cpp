#include "WidgetWhiteEx.h"

#include "common/ResourcePath.h"

#include <QPainter>

WidgetWhiteEx::WidgetWhiteEx(QWidget *parent)
    : QWidget(parent)
{
    for (const QString &path : piecePaths()) {
        m_pieces.append(ResourcePath::pixmap(path));
    }
}

QStringList WidgetWhiteEx::piecePaths()
{
    return {
        QStringLiteral("Resources\\images\\CommonCtrls\\kora_bg2_top_l.png"),
        QStringLiteral("Resources\\images\\CommonCtrls\\kora_bg2_top_m.png"),
        QStringLiteral("Resources\\images\\CommonCtrls\\kora_bg2_top_r.png"),
        QStringLiteral("Resources\\images\\CommonCtrls\\kora_bg2_mid_l.png"),
        QStringLiteral("Resources\\images\\CommonCtrls\\kora_bg2_mid_m.png"),
        QStringLiteral("Resources\\images\\CommonCtrls\\kora_bg2_mid_r.png"),
        QStringLiteral("Resources\\images\\CommonCtrls\\kora_bg2_bottom_l.png"),
        QStringLiteral("Resources\\images\\CommonCtrls\\kora_bg2_bottom_m.png"),
        QStringLiteral("Resources\\images\\CommonCtrls\\kora_bg2_bottom_r.png"),
    };
}

void WidgetWhiteEx::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect r = rect();
    for (const QPixmap &piece : m_pieces) {
        if (piece.isNull()) {
            painter.fillRect(r, Qt::white);
            return;
        }
    }
    // Corner size in device-independent pixels (the pieces may be @2x).
    const QSizeF corner = m_pieces[0].deviceIndependentSize();
    const int cw = qMin(qRound(corner.width()), r.width() / 2);
    const int ch = qMin(qRound(corner.height()), r.height() / 2);
    const int xs[] = {r.left(), r.left() + cw, r.right() + 1 - cw, r.right() + 1};
    const int ys[] = {r.top(), r.top() + ch, r.bottom() + 1 - ch, r.bottom() + 1};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const QRect cell(QPoint(xs[col], ys[row]), QPoint(xs[col + 1] - 1, ys[row + 1] - 1));
            if (!cell.isEmpty())
                painter.drawPixmap(cell, m_pieces[row * 3 + col]);
        }
    }
}
