#pragma once

#include <QStyledItemDelegate>

// Paints one row of the contact list: a group header, or a colleague with
// head, name, title, presence dot and unread badge.
class ContactItemDelegate : public QStyledItemDelegate
{
public:
    enum Role {
        JidRole = Qt::UserRole + 1,
        NameRole,
        DetailRole,
        HeadRole,
        PresenceRole,
        UnreadRole,
        FlashRole,
        GroupRole
    };

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
