#include "MsgBoxListdelegate.h"

#include "MsgBoxData.h"
#include "common/HeadImage.h"
#include "common/ResourcePath.h"

#include <QFileInfo>
#include <QHash>
#include <QPainter>
#include <QPixmapCache>

namespace {

constexpr int HeadSize = 28;
constexpr int NameWidth = 120;

QPixmap headPicture(const QString &path)
{
    const QString key = QStringLiteral("msgbox-head:") + path;
    QPixmap round;
    if (QPixmapCache::find(key, &round))
        return round;
    QPixmap picture;
    if (!path.isEmpty() && QFileInfo::exists(path))
        picture.load(path);
    else if (!path.isEmpty() && QFileInfo::exists(ResourcePath::resolve(path)))
        picture.load(ResourcePath::resolve(path));
    if (picture.isNull())
        picture = ResourcePath::pixmap(QStringLiteral("Resources\\images\\FriendDetail\\defaultHead.png"));
    round = HeadImage::round(picture, HeadSize);
    QPixmapCache::insert(key, round);
    return round;
}

} // namespace

MsgBoxListdelegate::MsgBoxListdelegate(QObject *parent) : QStyledItemDelegate(parent) {}

QSize MsgBoxListdelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return {40, 48};
}

void MsgBoxListdelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRect r = option.rect;
    // No system highlight: hover is green, the shown sender a quiet grey.
    if (option.state & QStyle::State_MouseOver)
        painter->fillRect(r, QColor(190, 224, 160));
    else if (option.state & QStyle::State_Selected)
        painter->fillRect(r, QColor(234, 240, 238));

    const QRect head(r.left() + 10, r.top() + (r.height() - HeadSize) / 2, HeadSize, HeadSize);
    painter->drawPixmap(head, headPicture(index.data(MsgBoxRole::HeadImage).toString()));

    QFont nameFont = option.font;
    nameFont.setPixelSize(13);
    QFont smallFont = option.font;
    smallFont.setPixelSize(11);

    const int textLeft = head.right() + 10;
    const QString time = index.data(MsgBoxRole::Time).toString();
    painter->setFont(smallFont);
    const int timeWidth = QFontMetrics(smallFont).horizontalAdvance(time);
    const QRect timeRect(r.right() - 10 - timeWidth, r.top() + 6, timeWidth, 18);
    painter->setPen(QColor(0x9a, 0xa3, 0xa1));
    painter->drawText(timeRect, Qt::AlignRight | Qt::AlignVCenter, time);

    painter->setFont(nameFont);
    painter->setPen(QColor(0x32, 0x29, 0x26));
    const int nameRoom = qMin(NameWidth, timeRect.left() - 6 - textLeft);
    const QString name = QFontMetrics(nameFont).elidedText(index.data(MsgBoxRole::Name).toString(),
                                                           Qt::ElideRight, qMax(0, nameRoom));
    painter->drawText(QRect(textLeft, r.top() + 6, nameRoom, 18), Qt::AlignLeft | Qt::AlignVCenter, name);

    const int count = index.data(MsgBoxRole::Count).toInt();
    int previewRight = r.right() - 10;
    if (count > 0) {
        const QString badge = count > 99 ? QStringLiteral("99+") : QString::number(count);
        painter->setFont(smallFont);
        const int w = qMax(16, QFontMetrics(smallFont).horizontalAdvance(badge) + 8);
        const QRect badgeRect(r.right() - 10 - w, r.top() + 26, w, 16);
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(0xf0, 0x63, 0x5a));
        painter->drawRoundedRect(badgeRect, 8, 8);
        painter->setPen(Qt::white);
        painter->drawText(badgeRect, Qt::AlignCenter, badge);
        previewRight = badgeRect.left() - 6;
    }
    QString preview = index.data(MsgBoxRole::Preview).toString();
    const QString attachment = index.data(MsgBoxRole::Attachment).toString();
    if (preview.isEmpty() && !attachment.isEmpty())
        preview = QStringLiteral("[文件] ") + attachment;
    painter->setFont(smallFont);
    painter->setPen(QColor(0x7b, 0x85, 0x83));
    const QRect previewRect(textLeft, r.top() + 25, qMax(0, previewRight - textLeft), 18);
    painter->drawText(previewRect, Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetrics(smallFont).elidedText(preview, Qt::ElideRight, previewRect.width()));
    painter->restore();
}
