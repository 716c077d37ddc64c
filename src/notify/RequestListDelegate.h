#pragma once

#include <QStyledItemDelegate>

// Paints a small-box row: round head, elided name, unread count at the right,
// a green fill under the mouse.
class RequestListDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
