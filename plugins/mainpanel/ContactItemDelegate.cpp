#include "ContactItemDelegate.h"

#include "HeadImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>

namespace {

QColor presenceColour(int code)
{
    switch (code) {
    case 1: return QColor(0x3c, 0xc4, 0x6f);
    case 2: return QColor(0xf0, 0xb4, 0x29);
    case 4: return QColor(0xe0, 0x4f, 0x4f);
    default: return QColor(0xb8, 0xc0, 0xc6);
    }
}

QString presenceLabel(int code)
{
    switch (code) {
    case 1: return QStringLiteral("在线");
    case 2: return QStringLiteral("离开");
    case 4: return QStringLiteral("忙碌");
    default: return QStringLiteral("离线");
    }
}

QPixmap headFor(const QString &path, bool online)
{
    const QString key = path + (online ? QStringLiteral("#on") : QStringLiteral("#off"));
    QPixmap picture;
    if (QPixmapCache::find(key, &picture))
        return picture;
    picture = QPixmap(path);
    if (picture.isNull())
        return {};
    picture = picture.scaled(40, 40, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (!online)
        picture = HeadImages::greyed(picture);
    QPixmapCache::insert(key, picture);
    return picture;
}

} // namespace

QSize ContactItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const bool group = index.data(GroupRole).isValid();
    return QSize(option.rect.width(), group ? 30 : 56);
}

void ContactItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRect r = option.rect;
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    if (index.data(GroupRole).isValid()) {
        painter->fillRect(r, QColor(0xf4, 0xf7, 0xf8));
        const bool open = option.state & QStyle::State_Open;
        font.setPixelSize(12);
        painter->setFont(font);
        painter->setPen(QColor(0x5a, 0x6b, 0x78));
        painter->drawText(r.adjusted(10, 0, -10, 0), Qt::AlignVCenter | Qt::AlignLeft,
                          (open ? QStringLiteral("▾  ") : QStringLiteral("▸  "))
                              + index.data(GroupRole).toString());
        painter->drawText(r.adjusted(10, 0, -12, 0), Qt::AlignVCenter | Qt::AlignRight,
                          index.data(DetailRole).toString());
        painter->restore();
        return;
    }
    if (option.state & QStyle::State_Selected)
        painter->fillRect(r, QColor(0xe8, 0xf4, 0xf1));
    else if (option.state & QStyle::State_MouseOver)
        painter->fillRect(r, QColor(0xf5, 0xf9, 0xf8));
    const int presence = index.data(PresenceRole).toInt();
    const bool flash = index.data(FlashRole).toBool();
    // A flashing head jumps a little, as someone waving for attention.
    const QRect headRect = QRect(r.left() + 12, r.top() + 8, 40, 40).translated(flash ? QPoint(2, -2) : QPoint());
    const QPixmap head = headFor(index.data(HeadRole).toString(), presence > 0);
    if (!head.isNull())
        painter->drawPixmap(headRect, head);
    painter->setPen(QPen(Qt::white, 2));
    painter->setBrush(presenceColour(presence));
    painter->drawEllipse(QRect(headRect.right() - 10, headRect.bottom() - 10, 12, 12));

    const int textLeft = headRect.right() + 12;
    font.setPixelSize(14);
    painter->setFont(font);
    painter->setPen(QColor(0x1f, 0x2d, 0x3d));
    const QString name = index.data(NameRole).toString();
    painter->drawText(QRect(textLeft, r.top() + 8, r.width() - textLeft - 40, 20),
                      Qt::AlignLeft | Qt::AlignVCenter,
                      name + QStringLiteral("  [") + presenceLabel(presence) + QLatin1Char(']'));
    font.setPixelSize(12);
    painter->setFont(font);
    painter->setPen(QColor(0x8a, 0x97, 0xa0));
    const QString detail = painter->fontMetrics().elidedText(
        index.data(DetailRole).toString(), Qt::ElideRight, r.right() - textLeft - 40);
    painter->drawText(QRect(textLeft, r.top() + 29, r.width() - textLeft - 10, 18),
                      Qt::AlignLeft | Qt::AlignVCenter, detail);

    const int unread = index.data(UnreadRole).toInt();
    if (unread > 0) {
        const QString text = unread > 99 ? QStringLiteral("99+") : QString::number(unread);
        const QRect badge(r.right() - 34, r.top() + 18, 24, 18);
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(0xe8, 0x4a, 0x4a));
        painter->drawRoundedRect(badge, 9, 9);
        painter->setPen(Qt::white);
        font.setPixelSize(11);
        painter->setFont(font);
        painter->drawText(badge, Qt::AlignCenter, text);
    }
    painter->restore();
}
