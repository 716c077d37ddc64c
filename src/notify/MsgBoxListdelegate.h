#pragma once

#include <QStyledItemDelegate>

// Paints one sender (or request) row of the unread box: round head, name,
// preview, time and the unread count.
class MsgBoxListdelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit MsgBoxListdelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
