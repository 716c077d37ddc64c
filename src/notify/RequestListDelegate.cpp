#include "RequestListDelegate.h"

#include "SmallMsgBox.h"
#include "common/CommonFun.h"
#include "common/ResourcePath.h"

#include <QDir>
#include <QPainter>
#include <QPixmapCache>

namespace {

constexpr int HeadSize = 22;

QPixmap roundHead(const QString &path, qreal ratio)
{
    const QString key = QStringLiteral("smallbox:%1:%2").arg(path).arg(ratio);
    QPixmap round;
    if (QPixmapCache::find(key, &round))
        return round;
    QPixmap picture;
    if (!path.isEmpty())
        picture = QDir::isAbsolutePath(path) ? QPixmap(path) : ResourcePath::pixmap(path, ratio);
    if (picture.isNull())
        picture = ResourcePath::pixmap(QStringLiteral("Resources\\images\\FriendDetail\\defaultHead.png"), ratio);
    const int side = qRound(HeadSize * ratio);
    round = CommonFun::roundHeadImage(picture, side);
    round.setDevicePixelRatio(ratio);
    QPixmapCache::insert(key, round);
    return round;
}

} // namespace

void RequestListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRect r = option.rect;
    if (option.state & QStyle::State_MouseOver)
        painter->fillRect(r, QColor(QStringLiteral("#bee0a0")));

    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QPixmap head = roundHead(index.data(SmallMsgBox::HeadRole).toString(), ratio);
    const QRect headRect(r.left() + 10, r.top() + (r.height() - HeadSize) / 2, HeadSize, HeadSize);
    painter->drawPixmap(headRect, head);

    QFont countFont(QStringLiteral("Microsoft YaHei"));
    countFont.setPointSize(9);
    const QString count = index.data(SmallMsgBox::CountRole).toString();
    const QFontMetrics countMetrics(countFont);
    const int countWidth = countMetrics.horizontalAdvance(count);
    const QRect countRect(r.right() - 12 - countWidth, r.top(), countWidth + 2, r.height());
    painter->setFont(countFont);
    painter->setPen(QColor(QStringLiteral("#f0635a")));
    painter->drawText(countRect, Qt::AlignVCenter | Qt::AlignRight, count);

    QFont nameFont = option.font;
    painter->setFont(nameFont);
    painter->setPen(QColor(QStringLiteral("#333333")));
    const int nameLeft = headRect.right() + 10;
    const QRect nameRect(nameLeft, r.top(), countRect.left() - 8 - nameLeft, r.height());
    const QString name = QFontMetrics(nameFont).elidedText(index.data(SmallMsgBox::NameRole).toString(),
                                                          Qt::ElideRight, nameRect.width());
    painter->drawText(nameRect, Qt::AlignVCenter | Qt::AlignLeft, name);
    painter->restore();
}

QSize RequestListDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return QSize(SmallMsgBox::RowHeight, SmallMsgBox::RowHeight);
}
