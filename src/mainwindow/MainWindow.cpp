#include "MainWindow.h"

#include "DiskWatch.h"
#include "DockController.h"
#include "PresenceMenu.h"
#include "SystemMenu.h"
#include "SystemMessageArchive.h"
#include "WindowPlacement.h"

#include "app/settings/SystemSetData.h"
#include "bus/MainEventProcess.h"
#include "bus/MainSignalSender.h"
#include "common/CommonFun.h"
#include "common/ResourcePath.h"
#include "log/ShellLog.h"
#include "platform/Compositor.h"
#include "ui/BaseDialogEx.h"
#include "ui/BaseMainFormEx.h"
#include "ui/CIconButtonEx.h"
#include "ui/CLineEditEx.h"
#include "ui/CStatusButtonEx.h"
#include "ui/FrameMover.h"
#include "ui/HeadLabel.h"
#include "ui/SkinPainter.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int ClockMs = 1000;
constexpr int UpgradeMs = 8 * 60 * 60 * 1000;
constexpr int DiskMs = 60 * 60 * 1000;

QTimer *makeTimer(QObject *owner, int interval, const char *name)
{
    auto *timer = new QTimer(owner);
    timer->setInterval(interval);
    timer->setObjectName(QLatin1String(name));
    return timer;
}

} // namespace

MainWindow::MainWindow(MainWindowSeams seams, QWidget *parent)
    : QMainWindow(parent)
    , m_seams(std::move(seams))
    , m_exit(&m_seams)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::Window);
    // Decided before the native window exists: without a compositor the
    // translucent shadow would come out black.
    m_painter.setTranslucent(Compositor::isRunning());
    setAttribute(Qt::WA_TranslucentBackground, m_painter.translucent());
    m_painter.setSkin(SkinPainter::current());
    m_painter.setFallbackPicture(BaseMainFormEx::backgroundPicture());
    setWindowIcon(QIcon(ResourcePath::resolve(QStringLiteral("Resources\\Images\\SysTrayIcon\\MiniToTaskBar.png"))));
    setWindowTitle(CommonFun::windowTitle());
    setMouseTracking(true);
    installEventFilter(this);
    resize(WindowPlacement::DefaultWidth, WindowPlacement::DefaultHeight);

    m_dock = new DockController(this, this);
    m_dock->autoHideOn = [] {
        return SystemSetData::instance()->settings().autoHide == QLatin1String("1");
    };
    m_dock->panelVetoes = [] { return MainEventProcess::panelQuery1206(); };
    m_dock->popupOpen = [this] {
        return (m_presenceMenu && m_presenceMenu->isVisible())
               || (m_systemMenu && m_systemMenu->mainMenu()->isVisible());
    };
    m_diskWatch = new DiskWatch(m_seams.freeMegabytes, this);
    m_presenceMenu = new PresenceMenu(this);
    m_presenceMenu->saveCode = [this](int code) { userFiles().saveAutoLoginStatus(code); };
    m_systemMenu = new SystemMenu(&m_seams, this);

    m_clock = makeTimer(this, ClockMs, "clockTimer");
    m_upgradeTimer = makeTimer(this, UpgradeMs, "upgradeTimer");
    m_reconnectTimer = makeTimer(this, 0, "reconnectTimer");
    m_diskTimer = makeTimer(this, DiskMs, "diskTimer");

    m_ui.setupUi(this, m_painter.margin());
    m_painter.setBandHeight(m_ui.bandHeight() + m_painter.margin());
    auto *mover = new FrameMover(this, true);
    mover->setEdgeOffset(m_painter.margin());
    connectSignalSlot();
    showPresence(PresenceMenu::Offline);
    m_clock->start();
    m_diskTimer->start();
}

MainWindow::~MainWindow() = default;

UserFiles MainWindow::userFiles() const
{
    return UserFiles(SystemSetData::instance()->accountFolder());
}

void MainWindow::connectSignalSlot()
{
    connect(m_ui.mini, &CIconButtonEx::clicked, this, &MainWindow::slot_mini);
    connect(m_ui.close, &CIconButtonEx::clicked, this, &MainWindow::slot_close);
    void (MainWindow::*const bottom[])() = {
        &MainWindow::slot_showSysMenu, &MainWindow::slot_popupAddFreindWinDow,
        &MainWindow::slot_popupSipPhoneWindow, &MainWindow::slot_showMessageMananger,
        &MainWindow::slot_showFileManager, &MainWindow::slot_showTopicWidget,
        &MainWindow::slot_showMsgBox, &MainWindow::slot_skinChangeWidgetShow,
        &MainWindow::slot_openAppBox, &MainWindow::slot_showSysSettingDig};
    for (int i = 0; i < m_ui.bottom.size(); ++i)
        connect(m_ui.bottom[i], &CIconButtonEx::clicked, this, bottom[i]);
    connect(m_ui.presence, &CStatusButtonEx::clicked, this, &MainWindow::slot_showPresencMenu);
    connect(m_ui.head, &HeadLabel::signal_clickHeadLabel, this, &MainWindow::slot_showMyProfile);
    connect(m_ui.signature, &QLineEdit::editingFinished, this, &MainWindow::slot_changeSignature);
    connect(this, &MainWindow::signal_setSignature, this, &MainWindow::slot_setToolTip);
    for (int entry = 1; entry <= 5; ++entry)
        connect(m_presenceMenu->entry(entry), &QAction::triggered, this,
                [this, entry] { choosePresence(entry); });
    connect(m_presenceMenu, &PresenceMenu::presenceChanged, this, [this](int code) {
        showPresence(code);
        m_seams.trayPresence(code);
    });
    connect(m_systemMenu, &SystemMenu::signal_close, this, &MainWindow::slot_exitWithoutNotice);
    connect(m_systemMenu, &SystemMenu::signal_changeUser, this, &MainWindow::slot_changeUser);
    connect(m_systemMenu, &SystemMenu::signal_showViewDetail, this, &MainWindow::slot_showMyProfile);

    connect(m_clock, &QTimer::timeout, this, &MainWindow::slot_timeUpDate);
    connect(m_upgradeTimer, &QTimer::timeout, this, &MainWindow::slot_autoUpdate);
    connect(m_reconnectTimer, &QTimer::timeout, this, &MainWindow::slot_ReconnectOutMsgTip);
    connect(m_diskTimer, &QTimer::timeout, this, &MainWindow::slot_checkDiskTimeOut);

    MainSignalSender *hub = MainSignalSender::instance();
    connect(hub, &MainSignalSender::signal_isConnected, this, &MainWindow::slot_IsConnected);
    connect(hub, &MainSignalSender::signal_notifyMissingCallCount, this, &MainWindow::slot_showMissingCallCount);
    connect(hub, &MainSignalSender::signal_noHide, this, &MainWindow::slot_nohide);
    connect(hub, &MainSignalSender::signal_myProfileReceived, this, &MainWindow::slot_setMyProfileData);
    connect(hub, &MainSignalSender::signal_loggerChanged, this, &MainWindow::slot_loggerChanged);
    connect(hub, &MainSignalSender::signal_disConnectNet, this, &MainWindow::slot_disconnectnet);
    connect(hub, &MainSignalSender::signal_changeSocketError, this, &MainWindow::slot_changeSocketError);
    connect(hub, &MainSignalSender::signal_SystemMsgReceive, this, &MainWindow::slot_systemMsgReceive);
    connect(hub, &MainSignalSender::signal_skinChange, this, &MainWindow::slot_skinChange);
    connect(hub, &MainSignalSender::signal_receiveNewVersion, this, &MainWindow::slot_receiveNewVersion);
    connect(hub, &MainSignalSender::signal_notifyRegisterState, this, &MainWindow::slot_notifyRegisterState);
    connect(hub, &MainSignalSender::signal_notifyRegisterUserIDAvailable, this,
            &MainWindow::slot_notifyRegisterUserIDAvailable);
}

// ---- contact list, log-in and place

bool MainWindow::addFriendWidget()
{
    QWidget *list = MainEventProcess::contactListWidget();
    if (!list) {
        LOG_WARN(QStringLiteral("MainWindow::addFriendWidget: no contact list handed over"));
        return false;
    }
    if (list == m_friendWidget)
        return true;
    m_friendWidget = list;
    list->setParent(m_ui.listHost);
    m_ui.listLayout->addWidget(list);
    list->show();
    return true;
}

void MainWindow::loggedIn(int presenceCode)
{
    MainEventProcess::tellPresence(presenceCode);
    m_seams.trayLoginFinished();
    const UserFiles files = userFiles();
    files.saveAutoLoginStatus(presenceCode);
    files.writeLogInfo({MainEventProcess::logUploadUserId(), MainEventProcess::logUploadKey(),
                        MainEventProcess::currentUser().jid, MainEventProcess::userName()});
    m_presenceMenu->setCode(presenceCode);
    m_loggedIn = true;

    showNormal();
    activateWindow();
    setRememberedSize();

    slot_IsConnected(true);
    MainEventProcess::announceOnline();
    slot_autoUpdate();
    m_seams.showWeatherPanel();
    slot_setMyProfileData();
}

void MainWindow::setRememberedSize()
{
    const WindowPlacement::Stored stored = userFiles().readRect();
    const DockController::OwnMove ownMove(m_dock);
    m_dock->setStayType(stored.stayType);
    if (m_placedOnce && m_dock->stayType() == WindowPlacement::Free) {
        setGeometry(m_lastGeometry);
        return;
    }
    QList<WindowPlacement::Screen> screens = m_dock->screens();
    int primary = 0;
    const QList<QScreen *> real = QGuiApplication::screens();
    if (QGuiApplication::primaryScreen() && real.size() == screens.size())
        primary = std::max<int>(0, real.indexOf(QGuiApplication::primaryScreen()));
    QString warning;
    const QRect place = WindowPlacement::restore(stored, screens, primary, &warning);
    if (!warning.isEmpty())
        LOG_WARN(warning);
    const QRect area = screens.value(WindowPlacement::screenFor(place, screens)).available;
    setMinimumSize(WindowPlacement::DefaultWidth, WindowPlacement::DefaultHeight);
    setMaximumSize(WindowPlacement::MaxWidth, std::max(WindowPlacement::DefaultHeight, area.height()));
    setGeometry(place);
    m_placedOnce = true;
    m_lastGeometry = place;
}

void MainWindow::saveWindowState()
{
    QRect geometry = this->geometry();
    if (m_dock->isHidden()) {
        int stay = m_dock->stayType();
        geometry = WindowPlacement::shownGeometry(stay, geometry, m_dock->ownScreen());
    }
    const UserFiles files = userFiles();
    files.saveRect(geometry, m_dock->stayType());
    const QStringList groups = MainEventProcess::expandedGroups();
    // A missing main panel answers nothing: keep the groups saved last time.
    if (!groups.isEmpty())
        files.saveExpandedGroups(groups);
}

// ---- presence

int MainWindow::presenceCode() const { return m_presenceMenu->code(); }

void MainWindow::setPresenceCode(int code) { m_presenceMenu->setCode(code); }

QString MainWindow::presenceText() const { return m_ui.presence->text(); }

void MainWindow::choosePresence(int entry)
{
    m_presenceMenu->choose(PresenceMenu::codeOfEntry(entry), m_ui.signature->text());
}

void MainWindow::slot_pAct1() { choosePresence(1); }
void MainWindow::slot_pAct2() { choosePresence(2); }
void MainWindow::slot_pAct3() { choosePresence(3); }
void MainWindow::slot_pAct4() { choosePresence(4); }
void MainWindow::slot_pAct5() { choosePresence(5); }

void MainWindow::showOnlinePresence()
{
    m_presenceMenu->setCode(PresenceMenu::Online);
    userFiles().saveAutoLoginStatus(PresenceMenu::Online);
}

void MainWindow::showInvisiblePresence(bool invisible)
{
    const int code = invisible ? PresenceMenu::Invisible : PresenceMenu::Online;
    m_presenceMenu->setCode(code);
    userFiles().saveAutoLoginStatus(code);
}

void MainWindow::slot_showPresencMenu()
{
    m_dock->skipNextLeave();
    m_presenceMenu->popup(m_ui.presence->mapToGlobal(QPoint(0, m_ui.presence->height())));
}

void MainWindow::slot_timeUpDate()
{
    // Without an idle time nothing is automatic: ask the plug-ins nothing either.
    const int idle = m_seams.idleSeconds();
    if (!m_loggedIn || idle < 0 || !MainEventProcess::isConnected())
        return;
    const VcardInfo own = MainEventProcess::ownAccount();
    const AccountSettings &settings = SystemSetData::instance()->settings();
    AutoPresence::Inputs inputs;
    inputs.idleSeconds = idle;
    inputs.ownPresence = own.presence;
    inputs.ownPresenceDetail = own.presenceDetail;
    inputs.fullScreenInFront = settings.changeToBusy == QLatin1String("1") && m_seams.fullScreenInFront();
    applyAutoPresence(m_autoPresence.tick(
        inputs, {settings.changeToAway, settings.awayMinute, settings.changeToBusy}));
}

void MainWindow::applyAutoPresence(const QList<AutoPresence::Step> &steps)
{
    for (const AutoPresence::Step &step : steps) {
        switch (step.action) {
        case AutoPresence::Action::GoAway:
            slot_pAct2();
            break;
        case AutoPresence::Action::GoOnline:
            slot_pAct1();
            break;
        case AutoPresence::Action::TellPresence:
            MainEventProcess::setPresence(step.code);
            break;
        case AutoPresence::Action::GoBusy:
            MainEventProcess::tellPresence(AutoPresence::Busy);
            MainEventProcess::setPresence(AutoPresence::Busy);
            m_presenceMenu->setCode(AutoPresence::Busy);
            break;
        }
    }
}

void MainWindow::slot_IsConnected(bool connected)
{
    const UserFiles files = userFiles();
    if (connected) {
        files.removeTemporaryHeads();
        m_reconnectTimer->stop();
        m_upgradeTimer->start(UpgradeMs);
        m_presenceMenu->setCode(files.autoLoginStatus());
        m_seams.trayLoginFinished();
        return;
    }
    showPresence(PresenceMenu::Offline);
    LOG_INFO(QStringLiteral("MainWindow::slot_IsConnected(),触发所有置离线"));
    MainEventProcess::setAllOffline();
    MainEventProcess::tellGroupChatExit(false);
}

void MainWindow::slot_disconnectnet(bool flag)
{
    if (flag)
        slot_IsConnected(false);
}

void MainWindow::slot_changeSocketError() { slot_IsConnected(false); }

void MainWindow::loginAgainFromHttp()
{
    MainEventProcess::presenceChosen();
    qDebug().noquote() << QStringLiteral("MainWindow::loginAgainFromHttp() 开始connecttoserver");
    const int code = presenceCode() < 0 ? PresenceMenu::Online : presenceCode();
    MainEventProcess::choosePresence(PresenceMenu::textOf(code), m_ui.signature->text(), code);
}

// ---- badges, texts, notices

void MainWindow::setUnreadBadge(const QString &text)
{
    m_ui.badge->setText(text);
    m_ui.badge->setVisible(!text.isEmpty());
}

QString MainWindow::unreadBadgeText() const
{
    return m_ui.badge->isVisible() ? m_ui.badge->text() : QString();
}

void MainWindow::slot_showMissingCallCount(int count)
{
    m_ui.callBadge->setText(count > 99 ? QStringLiteral("99+") : QString::number(count));
    m_ui.callBadge->setVisible(count > 0);
}

void MainWindow::setStatusLine(const QString &text)
{
    m_statusLine = text;
    CommonFun::setStatusText(text);
}

void MainWindow::reportHotKeyConflict(int value)
{
    LOG_INFO(QStringLiteral("hot-key conflict %1").arg(value));
    if (m_hotKeyDialog)
        return;
    // Reported from a dispatcher row: the row returns before the dialog shows.
    auto *box = new BaseDialogEx(nullptr, QStringLiteral("提示"), QStringLiteral("热键冲突"),
                                 BaseDialogEx::Message, BaseDialogEx::CloseButton | BaseDialogEx::OkButton,
                                 BaseDialogEx::WarningIcon);
    box->setObjectName(QStringLiteral("hotKeyConflict"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setButtonTexts(QStringLiteral("确定"), QString());
    connect(box, &BaseDialogEx::signal_OkBtnClicked, this, &MainWindow::slot_OpenHotKeySetUi);
    m_hotKeyDialog = box;
    QTimer::singleShot(0, box, [box] { box->open(); });
}

void MainWindow::slot_systemMsgReceive(const MessageData &message)
{
    if (SystemMessageArchive::keep(message, m_seams.now()))
        emit signal_showSysMsg(message);
}

void MainWindow::slot_setMyProfileData()
{
    const VcardInfo own = MainEventProcess::ownAccount();
    m_ui.name->setText(own.displayName());
    m_ui.head->setName(own.displayName());
    if (!m_ui.signature->hasFocus())
        m_ui.signature->setText(own.signature);
    m_ui.head->setHeadPicture(own.headImagePath);
}

void MainWindow::showPresence(int code)
{
    m_ui.presence->setStatus(PresenceMenu::iconOf(code), PresenceMenu::textOf(code));
    m_ui.head->setPresenceIcon(PresenceMenu::iconOf(code));
}

void MainWindow::slot_setToolTip(const QString &text) { m_ui.signature->setToolTip(text); }

void MainWindow::slot_changeSignature()
{
    const QString text = m_ui.signature->text();
    MainEventProcess::setSignature(text);
    emit signal_setSignature(text);
}

// ---- requests of the bottom bar and menus

void MainWindow::slot_popupAddFreindWinDow() { MainEventProcess::openAddFriendWindow(); }
void MainWindow::slot_popupSipPhoneWindow() { MainEventProcess::openPhoneWindow(); }
void MainWindow::slot_editSignature() { m_ui.signature->setFocus(); m_ui.signature->selectAll(); }
void MainWindow::slot_showMyProfile() { MainEventProcess::showMyProfile(); }
void MainWindow::slot_showSysSettingDig() { MainEventProcess::openSettings(0); }
void MainWindow::slot_showMessageMananger() { MainEventProcess::openMessageManager(QString(), true); }
void MainWindow::slot_showFileManager() { MainEventProcess::openFileManager(); }
void MainWindow::slot_showTopicWidget() { MainEventProcess::showTopic(QString()); }
void MainWindow::slot_OpenHotKeySetUi() { MainEventProcess::openHotKeySettings(); }
void MainWindow::slot_openClearFileUI() { MainEventProcess::openClearFilesDialog(); }
void MainWindow::slot_showScreenshot() { MainEventProcess::startScreenshot(); }
void MainWindow::slot_openAppBox() { m_seams.openAppBox(); }
void MainWindow::slot_skinChangeWidgetShow() { m_seams.showSkinWindow(); }
void MainWindow::slot_receiveNewVersion() { m_seams.receiveNewVersion(); }
void MainWindow::slot_loggerChanged() {}
void MainWindow::slot_notifyRegisterState(int state) { LOG_INFO(QStringLiteral("phone register state %1").arg(state)); }
void MainWindow::slot_notifyRegisterUserIDAvailable(bool ok) { LOG_INFO(QStringLiteral("phone user id available: %1").arg(ok)); }
void MainWindow::slot_ReconnectOutMsgTip() { m_reconnectTimer->stop(); }
void MainWindow::slot_skinChange(const SysUIData &skin)
{
    m_painter.setSkin(skin);
    update();
}

void MainWindow::slot_showMsgBox()
{
    m_seams.showMessageBox();
}

void MainWindow::slot_showSysMenu()
{
    m_dock->skipNextLeave();
    QWidget *button = m_ui.bottom[MainWindowUi::Menu];
    m_systemMenu->mainMenu()->popup(button->mapToGlobal(QPoint(0, 0))
                                    - QPoint(0, m_systemMenu->mainMenu()->sizeHint().height()));
}

void MainWindow::slot_autoUpdate()
{
    m_upgradeTimer->stop();
    m_seams.startUpgradeCheck();
    m_upgradeTimer->start(UpgradeMs);
}

void MainWindow::slot_checkDiskTimeOut()
{
    SystemSetData *settings = SystemSetData::instance();
    m_diskWatch->check({settings->messageFilePath(), settings->settings().transferPath});
}

// ---- showing, hiding, leaving

void MainWindow::slot_showMainWindow()
{
    showNormal();
    raise();
    activateWindow();
}

void MainWindow::slot_showReceiveMessage() { slot_showMainWindow(); }

void MainWindow::slot_nohide()
{
    const QRect area = m_dock->ownScreen().available;
    const DockController::OwnMove ownMove(m_dock);
    setMinimumSize(WindowPlacement::DefaultWidth, WindowPlacement::DefaultHeight);
    setMaximumSize(WindowPlacement::MaxWidth, std::max(WindowPlacement::DefaultHeight, area.height()));
    if (!area.isEmpty() && !area.contains(geometry())) {
        QRect fitted = geometry();
        fitted.setHeight(std::min(fitted.height(), area.height()));
        fitted.moveLeft(std::clamp(fitted.x(), area.x(), area.x() + area.width() - fitted.width()));
        fitted.moveTop(std::clamp(fitted.y(), area.y(), area.y() + area.height() - fitted.height()));
        setGeometry(fitted);
    }
}

void MainWindow::slot_mini()
{
    // Without a tray host a hidden window could not be found again.
    if (QSystemTrayIcon::isSystemTrayAvailable())
        hide();
    else
        showMinimized();
}

void MainWindow::slot_hideByBtnClose() { slot_mini(); }

void MainWindow::closeIfVisible()
{
    if (isVisible())
        slot_mini();
}

void MainWindow::showDocked() { m_dock->showDocked(); }

void MainWindow::slot_close()
{
    const AccountSettings &settings = SystemSetData::instance()->settings();
    if (settings.mainWindowWarn == QLatin1String("0") && m_seams.showCloseConfirmation) {
        m_seams.showCloseConfirmation();
        return;
    }
    if (settings.closeMainWindow == QLatin1String("1"))
        slot_exit();
    else
        slot_mini();
}

void MainWindow::slot_exit()
{
    if (m_exit.hasRun())
        return;
    if (MainEventProcess::hasUnfinishedChats()
        && !m_seams.askYesNo(QStringLiteral("退出程序"), QStringLiteral("您有未完成的会话，是否退出程序？")))
        return;
    slot_exitWithoutNotice();
}

void MainWindow::stopAndHide()
{
    for (QTimer *timer : findChildren<QTimer *>())
        timer->stop();
    for (QWidget *widget : QApplication::topLevelWidgets())
        widget->hide();
}

void MainWindow::slot_exitWithoutNotice()
{
    m_exit.run(ExitSequence::Mode::Exit,
               {[this] { saveWindowState(); }, [this] { stopAndHide(); }, {}});
}

void MainWindow::slot_changeUser(const QString &account)
{
    LOG_INFO(QStringLiteral("change of user from %1").arg(account));
    m_exit.run(ExitSequence::Mode::ChangeUser,
               {[this] { saveWindowState(); }, [this] { stopAndHide(); },
                [this] { return userFiles().clearLogInfo(); }});
}

// ---- events

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == this) {
        switch (event->type()) {
        case QEvent::Enter:
            m_dock->enter();
            break;
        case QEvent::Leave:
            m_dock->leave(QCursor::pos());
            break;
        case QEvent::Move:
            // No release follows a system move: the place is judged as it changes.
            m_dock->moved();
            // The skin picture is placed by screen position.
            update();
            if (m_placedOnce && !m_dock->isHidden())
                m_lastGeometry = geometry();
            break;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_painter.paint(painter, this);
}
