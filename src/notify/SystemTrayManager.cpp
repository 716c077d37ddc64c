#include "SystemTrayManager.h"

#include "SmallMsgBox.h"
#include "TrayImages.h"
#include "app/settings/SystemSetData.h"
#include "bus/MainEventProcess.h"
#include "bus/MainSignalSender.h"
#include "common/CommonFun.h"
#include "common/ResourcePath.h"
#include "log/ShellLog.h"
#include "store/LoginStore.h"
#include "ui/CMenuEx.h"
#include "ui/ErrorMessage.h"

#include <QAction>
#include <QCursor>
#include <QSettings>
#include <QTimer>
#include <QWidget>

namespace {

const QString CallingIcon = QStringLiteral("Resources\\images\\VoIP\\ic_voip_calling.png");
constexpr int TrayMenuStyle = 2;

SystemTrayManager *g_instance = nullptr;

} // namespace

SystemTrayManager *SystemTrayManager::instance()
{
    if (!g_instance)
        g_instance = new SystemTrayManager;
    return g_instance;
}

SystemTrayManager::~SystemTrayManager()
{
    if (g_instance == this)
        g_instance = nullptr;
}

SystemTrayManager::SystemTrayManager()
    : QObject(nullptr)
    , m_pShakeTimer(new QTimer(this))
    , m_pMousePosTimer(new QTimer(this))
    , m_pTrayIcon(new QSystemTrayIcon(this))
    , m_pTrayMenu(new CMenuEx)
    , pAct1(new QAction(QStringLiteral("在线"), this))
    , pAct2(new QAction(QStringLiteral("离开"), this))
    , pAct3(new QAction(QStringLiteral("忙碌"), this))
    , pAct4(new QAction(QStringLiteral("隐身"), this))
    , pAct5(new QAction(QStringLiteral("离线"), this))
    , m_pActShowMain(new QAction(QStringLiteral("打开主面板"), this))
    , m_pActChangeUser(new QAction(QStringLiteral("更改用户"), this))
    , m_pActQuit(new QAction(QStringLiteral("退出"), this))
    , m_pActShowLogin(new QAction(QStringLiteral("打开登录窗"), this))
    , m_pActQuitLogin(new QAction(QStringLiteral("退出"), this))
    , m_pLoginTimer(new QTimer(this))
{
    // A menu is a widget and cannot be a QObject child; it goes with the manager.
    connect(this, &QObject::destroyed, m_pTrayMenu, &QObject::deleteLater);
    m_pTrayIcon->setContextMenu(nullptr);
    setIconImage(TrayImages::presenceIcon(0));
    // Without a tray host show() is harmless; the main window keeps its taskbar entry.
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        LOG_INFO(QStringLiteral("SystemTrayManager: no system tray on this desktop"));
    m_pTrayIcon->show();

    connect(pAct1, &QAction::triggered, this, &SystemTrayManager::slot_pAct1);
    connect(pAct2, &QAction::triggered, this, &SystemTrayManager::slot_pAct2);
    connect(pAct3, &QAction::triggered, this, &SystemTrayManager::slot_pAct3);
    connect(pAct4, &QAction::triggered, this, &SystemTrayManager::slot_pAct4);
    connect(pAct5, &QAction::triggered, this, &SystemTrayManager::slot_pAct5);
    connect(m_pActShowMain, &QAction::triggered, this, &SystemTrayManager::slot_showMainwindow);
    connect(m_pActChangeUser, &QAction::triggered, this, &SystemTrayManager::slot_changeUser);
    connect(m_pActQuitLogin, &QAction::triggered, this, &SystemTrayManager::slot_QuitLoginUi);
    connect(m_pActShowLogin, &QAction::triggered, this, &SystemTrayManager::slot_showLoginNew);
    connect(m_pActQuit, &QAction::triggered, this, &SystemTrayManager::slot_quit);
    connect(m_pTrayIcon, &QSystemTrayIcon::activated, this, &SystemTrayManager::slot_trayActivated);

    MainSignalSender *hub = MainSignalSender::instance();
    connect(hub, &MainSignalSender::signal_login, this, &SystemTrayManager::slot_trayMenuChange);
    connect(hub, &MainSignalSender::signal_logout, this, &SystemTrayManager::slot_offlineToolInit);
    connect(hub, &MainSignalSender::signal_disConnectNetForSys, this, &SystemTrayManager::slot_disconnectnet);
    connect(hub, &MainSignalSender::signal_loggerChanged, this, &SystemTrayManager::slot_flagchange);
    connect(hub, &MainSignalSender::signal_isConnected, this, &SystemTrayManager::slot_IsConnected);
    connect(hub, &MainSignalSender::signal_StrToBlock, this, &SystemTrayManager::slot_removeActJid);
    connect(hub, &MainSignalSender::signal_delFriend, this, &SystemTrayManager::slot_removeActJid);
    connect(hub, &MainSignalSender::signal_updateStranger, this, &SystemTrayManager::updateSmallBoxStranger);
    // The own card may arrive after the log-in result: the tooltip then lacks the account.
    connect(hub, &MainSignalSender::signal_myProfileReceived, this, [this] {
        if (m_nStatus >= 0 && !m_pTrayIcon->toolTip().isEmpty())
            setPresenceTooltip(stateText(m_nStatus, true));
    });
    // A new card or picture makes the cached round head stale.
    connect(hub, &MainSignalSender::signal_friendInfo, this,
            [this](const QString &jid, const VcardInfo &) { m_heads.drop(jid); });
    connect(hub, &MainSignalSender::signal_PicRec, this,
            [this](const QString &jid, const QString &) { m_heads.drop(jid); });

    connect(m_pLoginTimer, &QTimer::timeout, this, &SystemTrayManager::slot_changeLoginIcon);
    connect(m_pShakeTimer, &QTimer::timeout, this, &SystemTrayManager::slot_timeOutShakeHead);
    connect(m_pMousePosTimer, &QTimer::timeout, this, &SystemTrayManager::slot_checkMousePos);

    initOfflineMenu();
}

void SystemTrayManager::setIconImage(const QString &quoted)
{
    m_pTrayIcon->setIcon(QIcon(ResourcePath::resolve(quoted)));
    m_shownImage = quoted;
}

void SystemTrayManager::setBlankIcon()
{
    // An empty QIcon makes some trays drop the entry; a clear picture keeps its place.
    QPixmap clear(TrayImages::HeadSize, TrayImages::HeadSize);
    clear.fill(Qt::transparent);
    m_pTrayIcon->setIcon(QIcon(clear));
    m_shownImage = QStringLiteral("blank");
}

bool SystemTrayManager::isUnreadBoxVisible() const
{
    return m_unreadBox && m_unreadBox->isVisible();
}

bool SystemTrayManager::isLoggingIn() const
{
    return m_pLoginTimer->isActive();
}

bool SystemTrayManager::isFlashing() const
{
    return m_pShakeTimer->isActive();
}

bool SystemTrayManager::isHoverless() const
{
    return m_pTrayIcon->geometry().isEmpty();
}

// Menus

void SystemTrayManager::initOfflineMenu()
{
    m_bOfflineMenu = true;
    m_pTrayMenu->clear();
    m_pTrayMenu->addAction(m_pActShowLogin);
    m_pTrayMenu->addAction(m_pActQuitLogin);
    m_pTrayMenu->setMenuStyle(TrayMenuStyle);
    m_pTrayIcon->setToolTip(CommonFun::windowTitle());
}

void SystemTrayManager::slot_trayMenuChange()
{
    m_pTrayMenu->clear();
    for (QAction *action : {pAct1, pAct2, pAct3, pAct4, pAct5})
        m_pTrayMenu->addAction(action);
    m_pTrayMenu->addSeparator();
    m_pTrayMenu->addAction(m_pActChangeUser);
    m_pTrayMenu->addSeparator();
    m_pTrayMenu->addAction(m_pActShowMain);
    m_pTrayMenu->addAction(m_pActQuit);
    m_pTrayMenu->setMenuStyle(TrayMenuStyle);
    // The invisible presence is never offered.
    pAct4->setVisible(false);
    m_bOfflineMenu = false;
}

// Listeners read the previous code while the signal runs; it is stored after.
void SystemTrayManager::slot_pAct1() { emit signal_pAct1(); m_nStatus = 1; }
void SystemTrayManager::slot_pAct2() { emit signal_pAct2(); m_nStatus = 2; }
void SystemTrayManager::slot_pAct3() { emit signal_pAct3(); m_nStatus = 4; }
void SystemTrayManager::slot_pAct4() { emit signal_pAct4(); m_nStatus = 5; }
void SystemTrayManager::slot_pAct5() { emit signal_pAct5(); m_nStatus = 0; }

void SystemTrayManager::slot_showMainwindow()
{
    emit signal_showMainWindow();
}

void SystemTrayManager::slot_quit()
{
    emit signal_closeMainWindow();
}

void SystemTrayManager::slot_showLoginNew()
{
    MainEventProcess::showLoginWindowAgain();
}

void SystemTrayManager::slot_QuitLoginUi()
{
    m_pTrayIcon->hide();
    MainEventProcess::quitLoginWindow();
}

// Activation

void SystemTrayManager::slot_trayActivated(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        if (m_bSipPhoneShake) {
            MainEventProcess::showPhoneCall(m_sipPhoneMsg.strings11[3], m_sipPhoneMsg.strings11[4]);
            m_bSipPhoneShake = false;
        } else if (m_shakeJidList.isEmpty()) {
            if (m_bOfflineMenu)
                MainEventProcess::showLoginWindowAgain();
            else
                emit signal_showMainWindow();
        } else {
            SmallMsgBox *box = SmallMsgBox::instance();
            if (box->isVisible())
                box->hide();
            clickTrayIcon();
        }
        break;
    case QSystemTrayIcon::Context: {
        const QPoint cursor = QCursor::pos();
        // The menu's bottom edge sits at the cursor.
        m_pTrayMenu->exec(QPoint(cursor.x(), cursor.y() - m_pTrayMenu->sizeHint().height()));
        break;
    }
    case QSystemTrayIcon::MiddleClick:
        // Trays without geometry never hover: the middle button opens the box instead.
        if (isHoverless() && !m_shakeJidList.isEmpty())
            popUpSmallBox();
        break;
    default:
        break;
    }
}

void SystemTrayManager::clickTrayIcon()
{
    const VcardInfo own = MainEventProcess::ownAccount();
    int presence = own.presence;
    if ((presence == 0 || presence == 5) && own.presenceDetail == 1)
        presence = 7;
    // The queue shrinks only when the plug-ins report the messages read.
    if (presence != 0 && !m_shakeJidList.isEmpty())
        MainEventProcess::openChatWindow(true, m_shakeJidList.first());
}

// Queue and flashing

void SystemTrayManager::startShakeTimer()
{
    if (m_pShakeTimer->isActive())
        return;
    m_pShakeTimer->start(500);
}

void SystemTrayManager::moveToFront(const QString &jid)
{
    m_shakeJidList.removeAll(jid);
    m_shakeJidList.insert(0, jid);
}

void SystemTrayManager::startMousePoll()
{
    if (!m_shakeJidList.isEmpty() && !isUnreadBoxVisible() && !m_pMousePosTimer->isActive())
        m_pMousePosTimer->start(300);
}

void SystemTrayManager::stopMousePoll()
{
    m_pMousePosTimer->stop();
}

void SystemTrayManager::setMousePosCheck(bool on)
{
    if (on)
        startMousePoll();
    else
        stopMousePoll();
}

void SystemTrayManager::shakeByMsg(const QString &jid, const MessageData &msg)
{
    if (msg.type == 22) {
        m_bSipPhoneShake = true;
        startMousePoll();
        m_sipPhoneMsg = msg;
        if (!m_pShakeTimer->isActive())
            m_pShakeTimer->start(500);
        return;
    }
    if (isUnreadBoxVisible())
        return;
    const bool starting = m_shakeJidList.isEmpty();
    moveToFront(jid);
    SmallMsgBox::instance()->setdata(jid, msg.time, msg.type);
    m_pTrayIcon->setToolTip(QString());
    startShakeTimer();
    startMousePoll();
    // Trays without geometry never hover: the box shows when flashing starts.
    if (starting && isHoverless())
        popUpSmallBox();
}

void SystemTrayManager::shakeByNotice(const QString &jid, const QString &text, bool bSilent)
{
    if (isUnreadBoxVisible() || bSilent)
        return;
    m_pTrayIcon->setToolTip(QString());
    const bool starting = m_shakeJidList.isEmpty();
    moveToFront(jid);
    SmallMsgBox::instance()->setdata(jid, text, MessageData::KindPublicAccount);
    startShakeTimer();
    startMousePoll();
    // Trays without geometry never hover: the box shows when flashing starts.
    if (starting && isHoverless())
        popUpSmallBox();
}

void SystemTrayManager::slot_timeOutShakeHead()
{
    if (!m_bShakeShow) {
        setBlankIcon();
    } else if (m_bSipPhoneShake) {
        setIconImage(CallingIcon);
    } else if (m_shakeJidList.isEmpty()) {
        m_pShakeTimer->stop();
        setIconImage(presenceIcon(m_nStatus));
    } else {
        const QString jid = m_shakeJidList.first();
        m_pTrayIcon->setIcon(QIcon(m_heads.headImageOf(jid)));
        m_shownImage = QStringLiteral("head:") + jid;
    }
    if (!m_bIsUserQuit)
        m_pTrayIcon->show();
    m_bShakeShow = !m_bShakeShow;
}

// Hover

void SystemTrayManager::popUpSmallBox()
{
    SmallMsgBox *box = SmallMsgBox::instance();
    box->updateShowSmallMsgBox();
    box->showSmallMsgBox();
}

void SystemTrayManager::slot_checkMousePos()
{
    const QRect icon = m_pTrayIcon->geometry();
    if (icon.isEmpty())
        return; // nothing to hover over; the box opened when the flashing began
    const QPoint cursor = QCursor::pos();
    const bool inside = cursor.x() > icon.left() && cursor.x() < icon.left() + icon.width()
        && cursor.y() > icon.top() && cursor.y() < icon.top() + icon.height();
    SmallMsgBox *box = SmallMsgBox::instance();
    if (inside) {
        if (!m_shakeJidList.isEmpty()) {
            if (!box->isVisible()) {
                box->update();
                box->showSmallMsgBox();
            } else if (box->hideTimerActive()) {
                box->update();
                box->stopHideTimer();
            }
        }
    } else if (!box->isMouseIn() && box->isVisible() && !box->hideTimerActive()) {
        box->startHideTimer();
    }
}

// Removing senders

void SystemTrayManager::slot_removeActJid(const QString &jid)
{
    m_shakeJidList.removeAll(jid);
    if (m_shakeJidList.isEmpty()) {
        stopMousePoll();
        if (m_pTrayIcon->toolTip().isEmpty())
            slot_setSystemToolTip();
    }
}

void SystemTrayManager::abortAllShake()
{
    m_shakeJidList.clear();
    MainEventProcess::stopFlashing(QString());
    stopMousePoll();
    if (m_pTrayIcon->toolTip().isEmpty())
        slot_setSystemToolTip();
}

void SystemTrayManager::abortShakeExptPub()
{
    m_shakeJidList.erase(std::remove_if(m_shakeJidList.begin(), m_shakeJidList.end(),
                                        [](const QString &jid) { return !jid.contains(QStringLiteral("pa")); }),
                         m_shakeJidList.end());
    if (m_shakeJidList.isEmpty()) {
        MainEventProcess::stopFlashing(QString());
        stopMousePoll();
        if (m_pTrayIcon->toolTip().isEmpty())
            slot_setSystemToolTip();
    }
}

void SystemTrayManager::delfrdMsgById(const QString &jid, const QString &msgId)
{
    SmallMsgBox *box = SmallMsgBox::instance();
    if (!msgId.isEmpty()) {
        if (MainEventProcess::remainingUnreadCount(jid) == 0)
            slot_removeActJid(jid);
        box->removeMsgByIdAndUpdate(jid, msgId);
    } else if (!jid.isEmpty()) {
        box->slot_handleDataAfterOpenDialog(jid);
        slot_removeActJid(jid);
    } else {
        box->removeAll();
        abortAllShake();
    }
}

void SystemTrayManager::updateSmallBoxStranger(const QString &jid)
{
    SmallMsgBox::instance()->updateStranger(jid);
}

// Log-in progress

void SystemTrayManager::loginStart()
{
    LOG_DEBUG(QStringLiteral("SystemTrayManager::loginStart(),登录开始，托盘开始闪烁."));
    if (!m_pLoginTimer->isActive())
        m_pLoginTimer->start(300);
}

void SystemTrayManager::slot_changeLoginIcon()
{
    setIconImage(TrayImages::loginFrame(m_nLoginIconIndex));
    if (!m_bIsUserQuit)
        m_pTrayIcon->show();
    if (++m_nLoginIconIndex > 2)
        m_nLoginIconIndex = 1;
    if (MainEventProcess::isConnected())
        loginFinished(m_nStatus);
}

void SystemTrayManager::setPresenceTooltip(const QString &state)
{
    const QString account = MainEventProcess::ownAccount().account;
    m_pTrayIcon->setToolTip(QStringLiteral("账号：") + account + QStringLiteral("\n") + QStringLiteral("状态：") + state);
}

void SystemTrayManager::loginFinished(int status)
{
    LOG_DEBUG(QStringLiteral("SystemTrayManager::loginFinished(),托盘停止闪动."));
    // A quit must not leave the animation re-showing the hidden icon.
    m_pLoginTimer->stop();
    if (m_bIsUserQuit) {
        m_pTrayIcon->hide();
        return;
    }
    m_nStatus = status;
    setIconImage(presenceIcon(status));
    m_pTrayIcon->show();
    setPresenceTooltip(stateText(status, true));
}

void SystemTrayManager::slot_setSystemToolTip()
{
    setPresenceTooltip(stateText(m_nStatus, false));
}

void SystemTrayManager::slot_offlineToolInit()
{
    setPresenceTooltip(QStringLiteral("离线"));
}

// Connection loss and time-out

void SystemTrayManager::slot_disconnectnet()
{
    if (m_bLoggerChanged)
        return;
    m_nStatus = 0;
    m_pTrayIcon->setToolTip(QStringLiteral("离线"));
    loginStart();
    emit signal_pAct1();
}

void SystemTrayManager::slot_flagchange()
{
    m_bLoggerChanged = true;
}

void SystemTrayManager::slot_IsConnected(bool connected)
{
    if (connected)
        m_bReconnected = false;
}

void SystemTrayManager::showTimeOutErrorMsg()
{
    LOG_INFO(QStringLiteral("entry fun SystemTrayManager::showTimeOutErrorMsg(),m_bReconnected=%1")
                 .arg(m_bReconnected ? 1 : 0));
    loginFinished(0);
    if (m_bReconnected || !m_listEmbedded || !m_listEmbedded())
        return;
    m_bReconnected = true;
    // Non-modal: the plug-in that reported the time-out is not held up.
    auto *notice = new ErrorMessage(QStringLiteral("提示"), QStringLiteral("连接服务器超时，请重试！"));
    notice->setAcceptText(QStringLiteral("确定"));
    notice->setAttribute(Qt::WA_DeleteOnClose);
    notice->setObjectName(QStringLiteral("trayTimeOutNotice"));
    connect(notice, &QObject::destroyed, this, [this] { m_bReconnected = false; });
    notice->show();
}

// Change of user and quitting

void SystemTrayManager::slot_changeUser()
{
    const QList<LoginInfo> rows = LoginStore::AllLoginInfos();
    const VcardInfo own = MainEventProcess::ownAccount();
    QString account = own.account;
    if (account.isEmpty())
        account = own.jid.section(QLatin1Char('@'), 0, 0);

    const QString configPath = SystemSetData::instance()->messageFilePath() + QLatin1Char('/') + account
        + QStringLiteral("/config.ini");
    {
        QSettings config(configPath, QSettings::IniFormat);
        config.setValue(QStringLiteral("basicSetting/autoLogin"), QStringLiteral("0"));
        config.sync();
        if (config.status() != QSettings::NoError)
            LOG_WARN(QStringLiteral("SystemTrayManager: cannot write %1").arg(configPath));
    }

    if (rows.isEmpty()) {
        LOG_INFO(QStringLiteral("SystemTrayManager: login table empty, automatic log-in left as it is"));
    } else {
        LoginInfo newest = rows.first();
        newest.isAutoLogin = 0;
        if (!LoginStore::UpdateAutoLogin(newest))
            LOG_WARN(QStringLiteral("SystemTrayManager: cannot clear automatic log-in of %1").arg(newest.account));
    }
    emit signal_changeuser(configPath);
}

void SystemTrayManager::setIsUserQuit(bool b)
{
    m_bIsUserQuit = b;
    if (b) {
        m_pLoginTimer->stop();
        m_pTrayIcon->hide();
    }
}

void SystemTrayManager::hide()
{
    m_pTrayIcon->hide();
}
