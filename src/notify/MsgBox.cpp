#include "MsgBox.h"

#include "MsgBoxData.h"
#include "MsgBoxListdelegate.h"
#include "MsgLinkOpener.h"
#include "MsgObj.h"
#include "MsgTemplates.h"
#include "app/settings/SystemSetData.h"
#include "bus/MainEventProcess.h"
#include "bus/MainSignalSender.h"
#include "common/ResourcePath.h"
#include "log/ShellLog.h"
#include "ui/SkinPainter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const QString GroupHead = QStringLiteral("Resources\\images\\CommonCtrls\\kora_muchead_min.png");
const QString ServiceHead = QStringLiteral("Resources\\images\\FriendDetail\\KoRA_defaultFriend_icon.png");
const QString ServiceJidPart = QStringLiteral("6005626532");

bool isGroup(const QString &jid)
{
    return jid.contains(QLatin1String("conference"));
}

} // namespace

MsgBox *MsgBox::instance()
{
    static MsgBox *box = new MsgBox;
    return box;
}

MsgBox::MsgBox(MsgView::Engine engine, QWidget *parent)
    : CBaseFormEx(parent)
    , m_pFrdModel(new QStandardItemModel(this))
    , m_pRequestModel(new QStandardItemModel(this))
{
    setWindowTitle(QStringLiteral("消息盒子"));
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setWindowIcon(QIcon(ResourcePath::resolve(QStringLiteral("Resources\\Images\\SysTrayIcon\\MiniToTaskBar.png"))));
    setMouseTracking(true);
    setResizable(true);
    setBandHeight(40);
    m_pFrdModel->setSortRole(MsgBoxRole::Time);
    m_pRequestModel->setSortRole(MsgBoxRole::RequestSort);
    m_view = new MsgView(engine, this);
    m_ui.setupUi(this, frameMargin(), m_pFrdModel, m_pRequestModel, m_view);
    setStyleSheet(ResourcePath::styleSheet(QStringLiteral("Resources/Style/MsgBox.css")));
    connectSignal();
    resize(680, 520);
    refreshEmptyPages();
}

MsgBox::~MsgBox() = default;

void MsgBox::connectSignal()
{
    connect(m_ui.m_closeButton, &QPushButton::clicked, this, &MsgBox::slot_close);
    connect(m_ui.m_minButton, &QPushButton::clicked, this, &MsgBox::slot_mini);
    connect(m_ui.m_maxButton, &QPushButton::clicked, this, &MsgBox::slot_max);
    connect(m_ui.m_openButton, &QPushButton::clicked, this, &MsgBox::slot_OpenChatDialog);
    connect(m_ui.m_openAllButton, &QPushButton::clicked, this, &MsgBox::slot_OpenAllChatDialog);
    connect(m_ui.m_ignoreButton, &QPushButton::clicked, this, &MsgBox::slot_IgnoreMsg);
    connect(m_ui.m_ignoreAllButton, &QPushButton::clicked, this, &MsgBox::slot_IgnoreAllUnreadMsgs);
    connect(m_view, &MsgView::linkClicked, this, &MsgBox::slot_openLink);
    connect(m_view, &MsgView::pageReady, this, [this] { slot_loadFinished(true); });
    connect(m_ui.frdListView, &QListView::clicked, this, &MsgBox::slot_clickfrdListView);
    connect(m_ui.frdListView, &QListView::doubleClicked, this, &MsgBox::slot_DoubleClickFrdList);
    connect(m_ui.m_msgTab, &QPushButton::clicked, this, &MsgBox::slot_refreshMsgUiBtn);
    connect(m_ui.m_requestTab, &QPushButton::clicked, this, &MsgBox::slot_refreshRequestUiBtn);
    connect(m_ui.m_msgSplitter, &QSplitter::splitterMoved, this, &MsgBox::slot_updateSize);
    connect(m_ui.m_requestSplitter, &QSplitter::splitterMoved, this, &MsgBox::slot_updateSize);
    MainSignalSender *bus = MainSignalSender::instance();
    connect(bus, &MainSignalSender::signal_delFriend, this, &MsgBox::slot_DelUnreadMsg);
    connect(bus, &MainSignalSender::signal_StrToBlock, this, &MsgBox::slot_DelUnreadMsg);
    connect(bus, &MainSignalSender::signal_friendInfo, this, &MsgBox::slot_updatevcard);
    connect(bus, &MainSignalSender::signal_PicRec, this, &MsgBox::slot_PicRec);
    connect(bus, &MainSignalSender::signal_skinChange, this, &MsgBox::slot_SkinChange);
    connect(bus, &MainSignalSender::signal_reqlist, this, &MsgBox::slot_reqlist);
    MsgObj *bridge = m_view->bridge();
    connect(bridge, &MsgObj::signal_showImage, this, &MsgBox::slot_showImage);
    connect(bridge, &MsgObj::signal_downLoadpic, this, &MsgBox::slot_downLoadpic);
    connect(bridge, &MsgObj::signal_showVcard, this, &MsgBox::slot_showVcard);
}

QString MsgBox::userFolder() const
{
    return m_userFolder.isEmpty() ? SystemSetData::instance()->accountFolder() : m_userFolder;
}

void MsgBox::setUserFolder(const QString &folder)
{
    m_userFolder = folder;
    m_view->bridge()->setUserFolder(folder);
}

QUrl MsgBox::pageUrl() const
{
    if (m_pageUrl.isValid())
        return m_pageUrl;
    return QUrl::fromLocalFile(QFileInfo(SystemSetData::instance()->messageFilePath()
                                         + QStringLiteral("/index/msgRecordIndex.html"))
                                   .absoluteFilePath());
}

void MsgBox::showMsgBox()
{
    slot_SkinChange(SkinPainter::current());
    m_ui.m_titleLabel->setText(MainEventProcess::ownAccount().displayName());
    m_view->bridge()->setUserFolder(userFolder());
    slot_refreshMsgUiBtn();
    m_view->load(pageUrl());
    activateWindow();
    showNormal();
    const QMap<QString, QList<MessageData>> map = MainEventProcess::unreadMessages();
    emit signal_abortShake();
    if (map.isEmpty()) {
        m_msgMap.clear();
        m_itemMap.clear();
        m_pFrdModel->clear();
        m_view->clearMessages();
        refreshEmptyPages();
        return;
    }
    InitUnReadedMsgFromMap(map);
    refreshEmptyPages();
}

void MsgBox::InitUnReadedMsgFromMap(const QMap<QString, QList<MessageData>> &map)
{
    m_msgMap = map;
    const int before = int(m_jidList.size());
    QList<MsgBoxData> summaries;
    for (auto it = m_msgMap.cbegin(); it != m_msgMap.cend(); ++it) {
        if (!m_jidList.contains(it.key()))
            m_jidList.append(it.key());
        if (!it.value().isEmpty())
            summaries.append(MsgBoxData::fromMessages(it.key(), it.value()));
    }
    if (m_jidList.size() != before)
        emitCount();
    // A sender read elsewhere since the last show must not keep a stale row.
    for (const QString &jid : m_itemMap.keys()) {
        if (m_msgMap.value(jid).isEmpty())
            m_pFrdModel->removeRow(m_itemMap.take(jid)->row());
    }
    for (const MsgBoxData &d : summaries) {
        if (QStandardItem *item = m_itemMap.value(d.jid))
            updateRow(item, d.jid);
        else
            m_pFrdModel->appendRow(createRow(d.jid));
    }
    if (m_pFrdModel->rowCount() > 0)
        m_ui.frdListView->setCurrentIndex(m_pFrdModel->index(0, 0));
    m_strCurrentJid.clear();
    showCurrentIndexMsgUi();
}

QString MsgBox::displayNameOf(const QString &jid) const
{
    if (const QStandardItem *item = m_itemMap.value(jid))
        return item->data(MsgBoxRole::Name).toString();
    return jid.section(QLatin1Char('@'), 0, 0);
}

QStandardItem *MsgBox::createRow(const QString &jid)
{
    auto *item = new QStandardItem;
    item->setSizeHint(QSize(40, 48));
    item->setEditable(false);
    if (isGroup(jid)) {
        const GroupRecord group = MainEventProcess::group(jid);
        item->setData(group.name.isEmpty() ? jid.section(QLatin1Char('@'), 0, 0) : group.name, MsgBoxRole::Name);
        item->setData(GroupHead, MsgBoxRole::HeadImage);
    } else {
        const VcardInfo card = MainEventProcess::contactCard(jid);
        item->setData(card.jid.isEmpty() ? jid.section(QLatin1Char('@'), 0, 0) : card.displayName(),
                      MsgBoxRole::Name);
        item->setData(jid.contains(ServiceJidPart) ? ServiceHead : card.headImagePath, MsgBoxRole::HeadImage);
    }
    item->setData(jid, MsgBoxRole::Jid);
    m_itemMap.insert(jid, item);
    updateRow(item, jid);
    return item;
}

void MsgBox::updateRow(QStandardItem *item, const QString &jid)
{
    const MsgBoxData d = MsgBoxData::fromMessages(jid, m_msgMap.value(jid));
    item->setData(d.preview, MsgBoxRole::Preview);
    item->setData(d.timeText, MsgBoxRole::Time);
    item->setData(d.count, MsgBoxRole::Count);
    if (!d.attachmentName.isEmpty())
        item->setData(d.attachmentName, MsgBoxRole::Attachment);
}

QString MsgBox::currentRowJid() const
{
    const QModelIndex index = m_ui.frdListView->currentIndex();
    return index.isValid() ? index.data(MsgBoxRole::Jid).toString() : QString();
}

void MsgBox::showCurrentIndexMsgUi()
{
    if (m_pFrdModel->rowCount() == 0) {
        m_strCurrentJid.clear();
        m_view->clearMessages();
        refreshEmptyPages();
        return;
    }
    if (!m_ui.frdListView->currentIndex().isValid())
        m_ui.frdListView->setCurrentIndex(m_pFrdModel->index(0, 0));
    m_strCurrentJid = currentRowJid();
    m_view->clearMessages();
    appendMsgContent(m_msgMap.value(m_strCurrentJid));
}

void MsgBox::appendMsgContent(const QList<MessageData> &messages)
{
    for (const MessageData &m : messages)
        appendToWebView(m);
}

void MsgBox::appendToWebView(const MessageData &message)
{
    const QString fragment = MsgTemplates(userFolder()).fragment(message, displayNameOf(m_strCurrentJid));
    if (fragment.isEmpty())
        return;
    const QString html = MainEventProcess::messageHtml(fragment);
    if (html.isEmpty()) {
        LOG_WARN(QStringLiteral("chat plug-in gave no HTML for message %1; not previewed").arg(message.messageId));
        return;
    }
    m_view->appendFragment(html);
}

void MsgBox::addMessageToBox(const MessageData &data, const QString &filename)
{
    const QString jid = filename.isEmpty() ? data.fromJid : filename;
    if (jid.isEmpty()) {
        LOG_WARN(QStringLiteral("unread message %1 names no sender; dropped").arg(data.messageId));
        return;
    }
    m_ui.m_pages->setCurrentIndex(0);
    m_ui.m_listPages->setCurrentIndex(0);
    m_ui.m_previewPages->setCurrentIndex(0);
    m_ui.m_msgTab->setChecked(true);
    m_ui.m_requestTab->setChecked(false);
    if (isGroup(jid))
        MainEventProcess::group(jid);
    else if (!MainEventProcess::knowsContact(jid))
        MainEventProcess::lookUpContact(jid);
    if (!m_jidList.contains(jid))
        m_jidList.append(jid);
    m_msgMap[jid].append(data);
    emitCount();
    if (isVisible())
        showLatestFrdAndContent(data, jid, false);
}

void MsgBox::showLatestFrdAndContent(const MessageData &data, const QString &jid, bool refreshOnly)
{
    if (QStandardItem *item = m_itemMap.value(jid)) {
        updateRow(item, jid);
    } else {
        m_pFrdModel->appendRow(createRow(jid));
    }
    if (!m_ui.frdListView->currentIndex().isValid() || m_strCurrentJid.isEmpty()) {
        m_ui.frdListView->setCurrentIndex(m_itemMap.value(jid)->index());
        showCurrentIndexMsgUi();
    } else if (!refreshOnly && jid == m_strCurrentJid) {
        appendToWebView(data);
    } else if (refreshOnly && jid == m_strCurrentJid) {
        showCurrentIndexMsgUi();
    }
    refreshEmptyPages();
}

void MsgBox::delMsgByMsgId(const QString &strJid, const QString &strMsgId)
{
    if (!m_jidList.contains(strJid))
        return;
    QList<MessageData> list = m_msgMap.value(strJid);
    list.removeIf([&](const MessageData &m) { return m.messageId == strMsgId; });
    if (list.isEmpty()) {
        slot_DelUnreadMsg(strJid);
        return;
    }
    m_msgMap.insert(strJid, list);
    if (isVisible())
        showLatestFrdAndContent(MessageData(), strJid, true);
}

void MsgBox::slot_DelUnreadMsg(const QString &jid)
{
    if (m_jidList.removeAll(jid) > 0)
        emitCount();
    m_msgMap.remove(jid);
    if (QStandardItem *item = m_itemMap.take(jid)) {
        const bool wasCurrent = jid == m_strCurrentJid;
        m_pFrdModel->removeRow(item->row());
        if (wasCurrent) {
            m_strCurrentJid.clear();
            m_ui.frdListView->setCurrentIndex(QModelIndex());
        }
        if (isVisible() && (wasCurrent || m_strCurrentJid.isEmpty()))
            showCurrentIndexMsgUi();
    }
    refreshEmptyPages();
    if (m_msgMap.isEmpty() && isVisible())
        close();
}

void MsgBox::removeAllMsgs()
{
    m_pFrdModel->clear();
    m_itemMap.clear();
    m_msgMap.clear();
    m_jidList.clear();
    showCurrentIndexMsgUi();
    refreshEmptyPages();
    emit signal_msgcount(0);
}

void MsgBox::refreshEmptyPages()
{
    const bool empty = m_msgMap.isEmpty() || m_pFrdModel->rowCount() == 0;
    for (QPushButton *b : {m_ui.m_openButton, m_ui.m_openAllButton, m_ui.m_ignoreButton, m_ui.m_ignoreAllButton})
        b->setEnabled(!empty);
    if (empty) {
        m_ui.m_listPages->setCurrentIndex(1);
        m_ui.m_previewPages->setCurrentIndex(1);
        m_ui.m_msgTab->setChecked(false);
        m_ui.m_requestTab->setChecked(false);
        m_ui.m_pages->setCurrentIndex(m_requestMap.isEmpty() ? 0 : 1);
        if (!m_requestMap.isEmpty())
            m_ui.m_requestTab->setChecked(true);
        return;
    }
    m_ui.m_listPages->setCurrentIndex(0);
    m_ui.m_previewPages->setCurrentIndex(0);
}

bool MsgBox::showsEmptyMessages() const
{
    return m_ui.m_pages->currentIndex() == 0 && m_ui.m_listPages->currentIndex() == 1
        && m_ui.m_previewPages->currentIndex() == 1;
}

bool MsgBox::showsRequests() const
{
    return m_ui.m_pages->currentIndex() == 1;
}

void MsgBox::emitCount()
{
    emit signal_msgcount(int(m_jidList.size()));
}

void MsgBox::slot_mini()
{
    showMinimized();
}

void MsgBox::slot_max()
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    if (m_normalGeometry.isValid() && geometry() == screen->availableGeometry()) {
        setGeometry(m_normalGeometry);
        m_normalGeometry = QRect();
    } else {
        m_normalGeometry = geometry();
        setGeometry(screen->availableGeometry());
    }
}

void MsgBox::slot_close()
{
    m_pFrdModel->clear();
    m_itemMap.clear();
    m_msgMap.clear();
    showCurrentIndexMsgUi();
    refreshEmptyPages();
    close();
}

void MsgBox::slot_OpenChatDialog()
{
    const QString jid = currentRowJid();
    if (!jid.isEmpty())
        MainEventProcess::openChatWindow(true, jid);
}

void MsgBox::slot_IgnoreMsg()
{
    const QString jid = currentRowJid();
    if (!jid.isEmpty())
        MainEventProcess::openChatWindow(false, jid);
}

// Rows stay until the chat plug-in reports the messages read.
void MsgBox::slot_OpenAllChatDialog()
{
    for (const QString &jid : QList<QString>(m_jidList))
        MainEventProcess::openChatWindow(true, jid);
}

void MsgBox::slot_IgnoreAllUnreadMsgs()
{
    for (const QString &jid : QList<QString>(m_jidList))
        MainEventProcess::openChatWindow(false, jid);
}

void MsgBox::slot_loadFinished(bool ok)
{
    if (!ok)
        LOG_WARN(QStringLiteral("message page failed to load"));
}

void MsgBox::slot_clickfrdListView(const QModelIndex &index)
{
    if (index.isValid() && index.data(MsgBoxRole::Jid).toString() != m_strCurrentJid)
        showCurrentIndexMsgUi();
}

void MsgBox::slot_DoubleClickFrdList(const QModelIndex &index)
{
    const QString jid = index.data(MsgBoxRole::Jid).toString();
    if (!jid.isEmpty())
        MainEventProcess::openChatWindow(true, jid);
}

void MsgBox::slot_updatevcard(const QString &jid, const VcardInfo &card)
{
    QStandardItem *item = m_itemMap.value(jid);
    if (!item || isGroup(jid))
        return;
    item->setData(card.displayName(), MsgBoxRole::Name);
    if (!card.headImagePath.isEmpty())
        item->setData(card.headImagePath, MsgBoxRole::HeadImage);
}

void MsgBox::slot_refreshMsgUiBtn()
{
    m_ui.m_pages->setCurrentIndex(0);
    m_ui.m_msgTab->setChecked(true);
    m_ui.m_requestTab->setChecked(false);
}

void MsgBox::slot_refreshRequestUiBtn()
{
    m_ui.m_pages->setCurrentIndex(1);
    m_ui.m_msgTab->setChecked(false);
    m_ui.m_requestTab->setChecked(true);
}

void MsgBox::slot_openLink(const QUrl &url)
{
    MsgLinkOpener::open(url.toString());
}

void MsgBox::slot_updateWebView()
{
    showCurrentIndexMsgUi();
}

void MsgBox::slot_updateSize(int, int)
{
    // The splitters keep their own sizes; the page reflows by itself.
}

void MsgBox::slot_PicRec(const QString &frdjid, const QString &filepath)
{
    if (QStandardItem *item = m_itemMap.value(frdjid))
        item->setData(filepath, MsgBoxRole::HeadImage);
}

void MsgBox::slot_showImage(const QString &path)
{
    MainEventProcess::showImage(path);
}

void MsgBox::slot_downLoadpic(const QString &picname, const QString &fileId)
{
    MainEventProcess::downloadPicture(picname, fileId,
                                      userFolder() + QStringLiteral("/picRec/") + picname);
}

void MsgBox::slot_showVcard(const QString &jid)
{
    MainEventProcess::showCardInPanel(jid);
}

void MsgBox::slot_SkinChange(const SysUIData &skin)
{
    slot_skinChange(skin);
}

void MsgBox::slot_reqlist(const QList<RequestData> &requests)
{
    m_pRequestModel->clear();
    m_requestMap.clear();
    for (const RequestData &r : requests) {
        auto *item = new QStandardItem;
        item->setEditable(false);
        item->setSizeHint(QSize(40, 48));
        item->setData(r.name.isEmpty() ? r.jid.section(QLatin1Char('@'), 0, 0) : r.name, MsgBoxRole::Name);
        item->setData(r.headImagePath, MsgBoxRole::HeadImage);
        item->setData(r.jid, MsgBoxRole::Jid);
        item->setData(r.text, MsgBoxRole::Preview);
        item->setData(MsgBoxData::formatTime(r.time, QDateTime::currentDateTime()), MsgBoxRole::Time);
        item->setData(r.time, MsgBoxRole::RequestSort);
        m_pRequestModel->appendRow(item);
        m_requestMap.insert(r.jid, r);
    }
    refreshEmptyPages();
}

void MsgBox::updatePicture(const QString &jid, const QString &picname, const QString &fileId, bool ok)
{
    if (!isVisible())
        return;
    const QString name = MsgTemplates::bareFileName(picname);
    if (name.isEmpty() || userFolder().isEmpty()) {
        LOG_WARN(QStringLiteral("picture update with a bad name ignored: %1").arg(picname.left(200)));
        return;
    }
    const QString path = QFileInfo(userFolder() + QStringLiteral("/picRec/") + name).absoluteFilePath();
    const bool found = ok && QFileInfo::exists(path);
    if (found)
        m_view->runScript(MsgTemplates::scriptCall(QStringLiteral("fnFreshPicture"), {fileId, name, path}));
    else
        m_view->runScript(MsgTemplates::scriptCall(QStringLiteral("downPicFailed"), {name, fileId}));
    const QString failed = ResourcePath::resolve(QStringLiteral("Resources\\Image\\failed.png"));
    QList<MessageData> &list = m_msgMap[jid];
    for (MessageData &m : list) {
        m.text = MsgTemplates::rewritePicture(m.text, name, fileId, path, found, failed);
        m.body = MsgTemplates::rewritePicture(m.body, name, fileId, path, found, failed);
    }
    if (list.isEmpty())
        m_msgMap.remove(jid);
}
