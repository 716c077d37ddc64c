#include "SmallMsgBox.h"

#include "NotifyPlacement.h"
#include "RequestListDelegate.h"
#include "SystemTrayManager.h"
#include "bus/MainEventProcess.h"
#include "bus/MainSignalSender.h"
#include "common/ResourcePath.h"
#include "log/ShellLog.h"

#include <lumio/MessageData.h>

#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString OwnTeamJid = QStringLiteral("6005626532");
const QString OwnTeamName = QStringLiteral("Lumio团队");
const QString OwnTeamHead = QStringLiteral("Resources\\images\\FriendDetail\\KoRA_defaultFriend_icon.png");
const QString GroupHead = QStringLiteral("Resources\\images\\CommonCtrls\\kora_muchead_min.png");
const QString PublicDefaultHead = QStringLiteral("Resources\\images\\FriendDetail\\g_portrait_default_online.png");
constexpr int Shadow = 8;
constexpr int BoxWidth = 240;

SmallMsgBox *g_instance = nullptr;

QString userPart(const QString &jid)
{
    return jid.section(QLatin1Char('@'), 0, 0);
}

bool isGroup(const QString &jid)
{
    return jid.contains(QStringLiteral("conference"));
}

constexpr int HeaderHeight = 44;
constexpr int FooterHeight = 60;

QPushButton *footerButton(const QString &text, bool primary, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setCursor(Qt::PointingHandCursor);
    button->setFixedSize(96, 30);
    button->setStyleSheet(primary
        ? QStringLiteral("QPushButton{border:none;border-radius:4px;color:#ffffff;"
                         "background:qlineargradient(x1:0,y1:0,x2:1,y2:0,stop:0 #3cc4c8,stop:1 #2ab0ff);}"
                         "QPushButton:hover{background:#45bbff;}QPushButton:pressed{background:#1e9be3;}")
        : QStringLiteral("QPushButton{border:1px solid #cfd6de;border-radius:4px;color:#4a5563;background:#ffffff;}"
                         "QPushButton:hover{border-color:#2ab0ff;color:#2ab0ff;}"
                         "QPushButton:pressed{background:#eef6fc;}"));
    return button;
}

} // namespace

SmallMsgBox *SmallMsgBox::instance()
{
    if (!g_instance)
        g_instance = new SmallMsgBox;
    return g_instance;
}

SmallMsgBox::~SmallMsgBox()
{
    qDeleteAll(m_hideItemMap);
    if (g_instance == this)
        g_instance = nullptr;
}

SmallMsgBox::SmallMsgBox()
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::Tool | Qt::WindowStaysOnTopHint)
    , m_pShowTimer(new QTimer(this))
    , m_pModel(new QStandardItemModel(this))
    , ShowTotal(new QLabel(this))
    , MsgList(new QListView(this))
    , AbortShake_btn(footerButton(QStringLiteral("取消闪烁"), false, this))
    , ReviewAll_btn(footerButton(QStringLiteral("查看全部"), true, this))
    , btnClose(new QPushButton(this))
    , m_band(QStringLiteral("#2ab0ff"))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    setFont(QFont(QStringLiteral("Microsoft YaHei")));
    setWindowTitle(QStringLiteral("消息盒子"));
    ShowTotal->setObjectName(QStringLiteral("ShowTotal"));
    MsgList->setObjectName(QStringLiteral("MsgList"));
    AbortShake_btn->setObjectName(QStringLiteral("AbortShake_btn"));
    ReviewAll_btn->setObjectName(QStringLiteral("ReviewAll_btn"));
    btnClose->setObjectName(QStringLiteral("btnClose"));

    ShowTotal->setStyleSheet(QStringLiteral("color:#ffffff;font-size:14px;"));
    btnClose->setToolTip(QStringLiteral("关闭"));
    btnClose->setFixedSize(24, 24);
    btnClose->setCursor(Qt::PointingHandCursor);
    // Drawn, not a glyph: not every CJK font carries the multiplication x.
    btnClose->setIcon(QIcon(ResourcePath::resolve(QStringLiteral("Resources\\images\\MainWindow\\btnClose.png"))));
    btnClose->setIconSize(QSize(16, 16));
    btnClose->setStyleSheet(QStringLiteral(
        "QPushButton{border:none;background:transparent;}"
        "QPushButton:hover{background:rgba(255,255,255,60);border-radius:3px;}"));

    m_pModel->setSortRole(SortRole);
    MsgList->setModel(m_pModel);
    MsgList->setItemDelegate(new RequestListDelegate(MsgList));
    MsgList->setMouseTracking(true);
    MsgList->setFrameShape(QFrame::NoFrame);
    MsgList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MsgList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MsgList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MsgList->setStyleSheet(QStringLiteral("QListView{background:transparent;outline:none;}"));
    MsgList->viewport()->setAttribute(Qt::WA_Hover);
    MsgList->installEventFilter(this);

    auto *header = new QHBoxLayout;
    header->setContentsMargins(14, 0, 6, 0);
    header->addWidget(ShowTotal, 1);
    header->addWidget(btnClose);
    auto *footer = new QHBoxLayout;
    footer->setContentsMargins(14, 4, 14, 0);
    footer->setSpacing(12);
    footer->addStretch(1);
    footer->addWidget(AbortShake_btn);
    footer->addWidget(ReviewAll_btn);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(Shadow, Shadow, Shadow, Shadow);
    column->setSpacing(0);
    auto *headerBox = new QWidget(this);
    headerBox->setFixedHeight(HeaderHeight);
    headerBox->setLayout(header);
    column->addWidget(headerBox);
    column->addSpacing(8);
    column->addWidget(MsgList);
    column->addStretch(1);
    auto *footerBox = new QWidget(this);
    footerBox->setFixedHeight(FooterHeight);
    footerBox->setLayout(footer);
    column->addWidget(footerBox);
    resize(BoxWidth + 2 * Shadow, 125 + 2 * Shadow);

    m_pShowTimer->setSingleShot(true);
    connect(btnClose, &QPushButton::clicked, this, &SmallMsgBox::slot_close);
    connect(m_pShowTimer, &QTimer::timeout, this, &SmallMsgBox::slot_showTimeout);
    connect(AbortShake_btn, &QPushButton::clicked, this, &SmallMsgBox::slot_btnAbortShake);
    connect(ReviewAll_btn, &QPushButton::clicked, this, &SmallMsgBox::slot_openAllMsgsDialogs);
    connect(MsgList, &QListView::clicked, this, &SmallMsgBox::slot_openMsgDialogByJid);

    MainSignalSender *hub = MainSignalSender::instance();
    connect(hub, &MainSignalSender::signal_StrToBlock, this, &SmallMsgBox::slot_handleDataAfterOpenDialog);
    connect(hub, &MainSignalSender::signal_delFriend, this, &SmallMsgBox::slot_handleDataAfterOpenDialog);
    connect(hub, &MainSignalSender::signal_friendInfo, this, &SmallMsgBox::slot_updatevcard);
    connect(hub, &MainSignalSender::signal_PicRec, this, &SmallMsgBox::slot_updateImg);
    connect(hub, &MainSignalSender::signal_skinChange, this, &SmallMsgBox::slot_skinChange);
}

QStringList SmallMsgBox::visibleJids() const
{
    QStringList jids;
    for (int row = 0; row < m_pModel->rowCount(); ++row)
        jids << m_pModel->item(row)->data(JidRole).toString();
    return jids;
}

int SmallMsgBox::unreadCount(const QString &jid, qint32 kind) const
{
    return kind == MessageData::KindPublicAccount ? MainEventProcess::senderUnreadCount(jid)
                                                  : MainEventProcess::remainingUnreadCount(jid);
}

void SmallMsgBox::refresh(QStandardItem *item, const QString &time, qint32 kind)
{
    const int count = unreadCount(item->data(JidRole).toString(), kind);
    if (count > 0) {
        item->setData(QStringLiteral("1") + time, SortRole);
        item->setData(QStringLiteral("(%1)").arg(count), CountRole);
    }
    if (kind == 6 || kind == 7 || kind == MessageData::KindPublicAccount)
        item->setData(kind, KindRole);
    else if (kind == MessageData::KindNotice)
        item->setData(0, KindRole);
}

void SmallMsgBox::nameRow(QStandardItem *item, const QString &jid, qint32 kind)
{
    QString name;
    QString head;
    bool group = false;
    if (jid.contains(OwnTeamJid)) {
        name = OwnTeamName;
        head = OwnTeamHead;
    } else if (isGroup(jid)) {
        const QString groupName = MainEventProcess::group(jid).name;
        name = groupName.isEmpty() ? QStringLiteral("讨论组:讨论组") : QStringLiteral("讨论组：") + groupName;
        head = GroupHead;
        group = true;
    } else if (MainEventProcess::knowsContact(jid)) {
        const VcardInfo card = MainEventProcess::contactCard(jid);
        QString user = userPart(jid);
        if (user.startsWith(QStringLiteral("zq")))
            user = user.mid(2);
        name = card.displayName() + QStringLiteral("(") + user + QStringLiteral(")");
        head = card.headImagePath;
    } else if (kind == MessageData::KindPublicAccount) {
        const PublicAccountRecord account = MainEventProcess::publicAccount(jid);
        name = account.name;
        head = account.imagePath.isEmpty() ? PublicDefaultHead : account.imagePath;
    }
    if (name.isEmpty())
        name = userPart(jid); // a stranger: the account is all we know yet
    item->setData(name, NameRole);
    item->setData(head, HeadRole);
    item->setData(group, GroupRole);
    MainEventProcess::lookUpContact(jid);
}

QStandardItem *SmallMsgBox::newRow(const QString &jid, const QString &time, qint32 kind)
{
    auto *item = new QStandardItem;
    item->setSizeHint(QSize(RowHeight, RowHeight));
    item->setEditable(false);
    nameRow(item, jid, kind);
    item->setData(jid, JidRole);
    item->setData(time, TimeRole);
    item->setData(0, KindRole);
    refresh(item, time, kind);
    if (!item->data(CountRole).isValid())
        item->setData(QStringLiteral("(0)"), CountRole);
    return item;
}

void SmallMsgBox::setdata(const QString &frdjid, QString time, qint32 kind)
{
    if (m_itemMap.isEmpty())
        m_pModel->clear();

    if (QStandardItem *item = m_itemMap.value(frdjid)) {
        refresh(item, time, kind);
    } else if (QStandardItem *waiting = m_hideItemMap.take(frdjid)) {
        // Back from the overflow store at the top; nobody else is moved out.
        m_hideJidList.removeAll(frdjid);
        refresh(waiting, time, kind);
        m_pModel->insertRow(0, waiting);
        m_itemMap.insert(frdjid, waiting);
    } else {
        QStandardItem *item = newRow(frdjid, time, kind);
        m_itemMap.insert(frdjid, item);
        if (m_itemMap.size() > MaxVisible && m_pModel->rowCount() > 0) {
            // takeRow keeps the item (and its roles) alive, detached, for the store.
            QStandardItem *oldest = m_pModel->takeRow(0).value(0);
            const QString oldJid = oldest->data(JidRole).toString();
            m_itemMap.remove(oldJid);
            m_hideItemMap.insert(oldJid, oldest);
            m_hideJidList.insert(0, oldJid);
        }
        m_pModel->appendRow(item);
    }
    updateShowSmallMsgBox();
}

void SmallMsgBox::arrange()
{
    const int rows = m_pModel->rowCount();
    MsgList->setFixedHeight(rows * RowHeight + 10);
    resize(BoxWidth + 2 * Shadow, MsgList->height() + 125 + 2 * Shadow);
}

void SmallMsgBox::updateShowSmallMsgBox()
{
    if (m_pModel->rowCount() == 0) {
        hide();
        LOG_DEBUG(QStringLiteral("exit fun SmallMsgBox::updateShowSmallMsgBox:: m_pModel->rowCount()=0"));
        return;
    }
    arrange();
    if (isVisible())
        showSmallMsgBox();
    ShowTotal->setText(ShowTotal->fontMetrics().elidedText(title(), Qt::ElideRight, BoxWidth - 60));
    update();
}

QString SmallMsgBox::title() const
{
    if (m_pModel->rowCount() != 1)
        return QStringLiteral("消息盒子 (%1)").arg(m_pModel->rowCount());
    const QString jid = m_pModel->item(0)->data(JidRole).toString();
    if (m_pModel->item(0)->data(GroupRole).toBool())
        return QStringLiteral("讨论组：") + MainEventProcess::group(jid).name;
    if (jid.contains(OwnTeamJid))
        return OwnTeamName;
    if (MainEventProcess::isPublicAccount(jid))
        return QStringLiteral("公众号：") + MainEventProcess::publicAccount(jid).name;
    const VcardInfo card = MainEventProcess::contactCard(jid);
    return card.jid.isEmpty() && card.nickName.isEmpty() && card.remarkName.isEmpty()
        ? m_pModel->item(0)->data(NameRole).toString()
        : card.displayName();
}

void SmallMsgBox::showSmallMsgBox()
{
    if (m_pModel->rowCount() == 0)
        return;
    arrange();
    const QRect tray = SystemTrayManager::instance()->trayIcon()->geometry();
    move(NotifyPlacement::bottomRight(size(), tray) + QPoint(Shadow, Shadow));
    showNormal();
}

// Hover and hiding

bool SmallMsgBox::hideTimerActive() const
{
    return m_pShowTimer->isActive();
}

void SmallMsgBox::startHideTimer()
{
    if (!m_pShowTimer->isActive())
        m_pShowTimer->start(1000);
}

void SmallMsgBox::stopHideTimer()
{
    m_pShowTimer->stop();
}

void SmallMsgBox::enterEvent(QEnterEvent *event)
{
    slot_enterEvent();
    QWidget::enterEvent(event);
}

void SmallMsgBox::leaveEvent(QEvent *event)
{
    slot_leaveEvent();
    QWidget::leaveEvent(event);
}

void SmallMsgBox::mouseMoveEvent(QMouseEvent *event)
{
    m_pShowTimer->stop();
    QWidget::mouseMoveEvent(event);
}

void SmallMsgBox::slot_enterEvent()
{
    if (!isVisible())
        return;
    m_bMouseIn = true;
    m_pShowTimer->stop();
}

void SmallMsgBox::slot_leaveEvent()
{
    if (!isVisible())
        return;
    m_bMouseIn = false;
    startHideTimer();
}

void SmallMsgBox::slot_showTimeout()
{
    m_pShowTimer->stop();
    hide();
}

void SmallMsgBox::slot_close()
{
    m_pShowTimer->stop();
    close();
}

bool SmallMsgBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == MsgList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            slot_showMsgBoxAbortShake();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// User actions

void SmallMsgBox::slot_openMsgDialogByJid(const QModelIndex &index)
{
    if (index.isValid())
        MainEventProcess::openChatWindow(true, index.data(JidRole).toString());
}

void SmallMsgBox::slot_openAllMsgsDialogs()
{
    hide();
    for (const QString &jid : std::as_const(m_hideJidList))
        MainEventProcess::openChatWindow(true, jid);
    for (auto it = m_itemMap.cbegin(); it != m_itemMap.cend(); ++it)
        MainEventProcess::openChatWindow(true, it.key());
}

void SmallMsgBox::slot_btnAbortShake()
{
    removeAll();
    SystemTrayManager::instance()->abortAllShake();
}

void SmallMsgBox::slot_showMsgBoxAbortShake()
{
    if (!m_unreadBox || !QMetaObject::invokeMethod(m_unreadBox, "showMsgBox"))
        LOG_WARN(QStringLiteral("SmallMsgBox: no unread-message box to show"));
}

// Removing

void SmallMsgBox::removeAll()
{
    hide();
    m_itemMap.clear();
    m_hideJidList.clear();
    qDeleteAll(m_hideItemMap);
    m_hideItemMap.clear();
    m_pModel->clear();
}

void SmallMsgBox::dropHidden(const QString &jid)
{
    m_hideJidList.removeAll(jid);
    delete m_hideItemMap.take(jid);
}

void SmallMsgBox::removeVisible(const QString &jid)
{
    QStandardItem *item = m_itemMap.take(jid);
    if (item)
        m_pModel->removeRow(item->row());
}

void SmallMsgBox::refill()
{
    while (!m_hideJidList.isEmpty() && m_pModel->rowCount() < MaxVisible) {
        const QString jid = m_hideJidList.takeFirst();
        QStandardItem *waiting = m_hideItemMap.take(jid);
        // Read what setdata needs before the detached item goes.
        const QString time = waiting ? waiting->data(TimeRole).toString() : QString();
        const qint32 kind = waiting ? waiting->data(KindRole).toInt() : 0;
        delete waiting;
        setdata(jid, time, kind);
    }
}

void SmallMsgBox::slot_handleDataAfterOpenDialog(const QString &jid)
{
    dropHidden(jid);
    removeVisible(jid);
    refill();
    updateShowSmallMsgBox();
}

void SmallMsgBox::removeMsgByIdAndUpdate(const QString &jid, const QString &msgId)
{
    Q_UNUSED(msgId)
    QStandardItem *item = m_itemMap.value(jid);
    if (!item)
        return;
    const int count = MainEventProcess::remainingUnreadCount(jid);
    if (count == 0) {
        slot_handleDataAfterOpenDialog(jid);
        return;
    }
    item->setData(QStringLiteral("(%1)").arg(count), CountRole);
    updateShowSmallMsgBox();
}

void SmallMsgBox::slot_abortShakeExptPub()
{
    for (const QString &jid : m_itemMap.keys()) {
        if (!MainEventProcess::isPublicAccount(jid))
            removeVisible(jid);
    }
    for (const QString &jid : QList<QString>(m_hideJidList)) {
        if (!MainEventProcess::isPublicAccount(jid))
            dropHidden(jid);
    }
    refill();
    updateShowSmallMsgBox();
    SystemTrayManager::instance()->abortShakeExptPub();
}

// Updates

void SmallMsgBox::slot_updateImg(const QString &jid, const QString &img)
{
    if (QStandardItem *item = m_itemMap.value(jid))
        item->setData(img, HeadRole);
}

void SmallMsgBox::slot_updatevcard(const QString &jid, const VcardInfo &info)
{
    QStandardItem *item = m_itemMap.value(jid);
    if (!item || jid.contains(OwnTeamJid))
        return;
    QString user = userPart(jid);
    if (user.startsWith(QStringLiteral("zq")))
        user = user.mid(2);
    item->setData(info.displayName() + QStringLiteral("(") + user + QStringLiteral(")"), NameRole);
    if (!info.headImagePath.isEmpty())
        item->setData(info.headImagePath, HeadRole);
    updateShowSmallMsgBox();
}

void SmallMsgBox::updateStranger(const QString &jid)
{
    QStandardItem *item = m_itemMap.value(jid);
    if (!item)
        return;
    nameRow(item, jid, item->data(KindRole).toInt());
    updateShowSmallMsgBox();
}

void SmallMsgBox::slot_skinChange(const SysUIData &skin)
{
    Q_UNUSED(skin)
    update();
}

void SmallMsgBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(rect()).adjusted(Shadow, Shadow, -Shadow, -Shadow);
    for (int i = Shadow; i > 0; --i) {
        p.setPen(QPen(QColor(0, 0, 0, 4 + (Shadow - i) * 3), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(body.adjusted(-i, -i + 2, i, i), 6 + i, 6 + i);
    }
    QPainterPath frame;
    frame.addRoundedRect(body, 6, 6);
    p.fillPath(frame, Qt::white);
    p.save();
    p.setClipPath(frame);
    QLinearGradient band(body.topLeft(), body.topRight());
    band.setColorAt(0, QColor(QStringLiteral("#5fd6bd")));
    band.setColorAt(1, m_band);
    p.fillRect(QRectF(body.left(), body.top(), body.width(), HeaderHeight), band);
    p.setPen(QColor(QStringLiteral("#e6e9ee")));
    const qreal footerTop = body.bottom() - FooterHeight;
    p.drawLine(QPointF(body.left() + 10, footerTop), QPointF(body.right() - 10, footerTop));
    p.restore();
}
