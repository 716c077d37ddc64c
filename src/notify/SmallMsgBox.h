#pragma once

#include <lumio/SysUIData.h>
#include <lumio/VcardInfo.h>

#include <QList>
#include <QMap>
#include <QModelIndex>
#include <QPointer>
#include <QString>
#include <QWidget>

class QLabel;
class QListView;
class QPushButton;
class QStandardItem;
class QStandardItemModel;
class QTimer;

// The compact pop-up over the flashing tray icon: one row per unread sender
// (at most ten shown, the rest wait), a click opens that sender's chat.
class SmallMsgBox : public QWidget
{
    Q_OBJECT
public:
    enum Role {
        NameRole = Qt::UserRole + 2,
        HeadRole = Qt::UserRole + 3,
        CountRole = Qt::UserRole + 6,
        SortRole = Qt::UserRole + 7,
        JidRole = Qt::UserRole + 9,
        TimeRole = Qt::UserRole + 44,
        GroupRole = Qt::UserRole + 60,
        KindRole = Qt::UserRole + 67
    };
    static constexpr int MaxVisible = 10;
    static constexpr int RowHeight = 30;

    static SmallMsgBox *instance();
    ~SmallMsgBox() override;

    // kind is the message type, which mixes kinds and types.
    void setdata(const QString &frdjid, QString time, qint32 kind);
    void showSmallMsgBox();
    void updateShowSmallMsgBox();
    void removeAll();
    void removeMsgByIdAndUpdate(const QString &jid, const QString &msgId);
    void updateStranger(const QString &jid);

    bool isMouseIn() const { return m_bMouseIn; }
    bool hideTimerActive() const;
    void startHideTimer();
    void stopHideTimer();

    // The unread-message box opened by the key press; set at wiring time.
    void setUnreadBox(QWidget *box) { m_unreadBox = box; }

    QStandardItemModel *model() const { return m_pModel; }
    QStringList visibleJids() const;
    QList<QString> hiddenJids() const { return m_hideJidList; }
    QString title() const;

public slots:
    void slot_handleDataAfterOpenDialog(const QString &jid);
    void slot_btnAbortShake();
    void slot_abortShakeExptPub();
    void slot_openAllMsgsDialogs();
    void slot_openMsgDialogByJid(const QModelIndex &index);
    void slot_showTimeout();
    void slot_showMsgBoxAbortShake();
    void slot_updatevcard(const QString &jid, const VcardInfo &info);
    void slot_updateImg(const QString &jid, const QString &img);
    void slot_close();
    void slot_skinChange(const SysUIData &skin);
    void slot_enterEvent();
    void slot_leaveEvent();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    SmallMsgBox();

    int unreadCount(const QString &jid, qint32 kind) const;
    void refresh(QStandardItem *item, const QString &time, qint32 kind);
    QStandardItem *newRow(const QString &jid, const QString &time, qint32 kind);
    void nameRow(QStandardItem *item, const QString &jid, qint32 kind);
    void removeVisible(const QString &jid);
    void dropHidden(const QString &jid);
    void refill();
    void arrange();

    QTimer *m_pShowTimer;
    bool m_bMouseIn = false;
    QStandardItemModel *m_pModel;
    QMap<QString, QStandardItem *> m_itemMap;
    QMap<QString, QStandardItem *> m_hideItemMap;
    QList<QString> m_hideJidList;

    QLabel *ShowTotal;
    QListView *MsgList;
    QPushButton *AbortShake_btn;
    QPushButton *ReviewAll_btn;
    QPushButton *btnClose;
    QPointer<QWidget> m_unreadBox;
    QColor m_band;
};
