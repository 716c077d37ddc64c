#pragma once

#include "AutoPresence.h"
#include "ExitSequence.h"
#include "MainWindowSeams.h"
#include "MainWindowUi.h"
#include "UserFiles.h"

#include "ui/FramePainter.h"

#include <lumio/MessageData.h>
#include <lumio/SysUIData.h>

#include <QMainWindow>
#include <QPointer>
#include <QRect>

class DiskWatch;
class DockController;
class PresenceMenu;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QVBoxLayout;
class SystemMenu;

// The shell's one long-lived window: the user's head, presence and signature,
// the contact list the main panel hands over, the bottom bar, and the two ways
// out of a log-in (exit and change of user).
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(MainWindowSeams seams = MainWindowSeams::defaults(), QWidget *parent = nullptr);
    ~MainWindow() override;

    MainWindowSeams &seams() { return m_seams; }
    DockController *dock() const { return m_dock; }
    PresenceMenu *presenceMenu() const { return m_presenceMenu; }
    SystemMenu *systemMenu() const { return m_systemMenu; }
    // The per-user files of the account now logged in.
    UserFiles userFiles() const;

    // Embeds the main panel's contact list (Command::ContactListWidget); false when none was handed over.
    bool addFriendWidget();
    // The step after a successful log-in (Command::StartMainWindow).
    void loggedIn(int presenceCode);
    bool hasLoggedIn() const { return m_loggedIn; }
    // Whether the contact list from the main-panel party sits in the window.
    bool hasContactList() const { return !m_friendWidget.isNull(); }
    void setRememberedSize();
    void saveWindowState();

    int presenceCode() const;
    void setPresenceCode(int code);
    void showOnlinePresence();
    void showInvisiblePresence(bool invisible);
    void loginAgainFromHttp();
    void closeIfVisible();
    void showDocked();
    void setUnreadBadge(const QString &text);
    QString unreadBadgeText() const;
    void setStatusLine(const QString &text);
    QString statusLine() const { return m_statusLine; }
    void reportHotKeyConflict(int value);
    QString presenceText() const;

signals:
    void signal_setSignature(QString);
    void signal_showWeather(bool);
    void signal_showSettingWidget();
    void signal_refreshWeathWidget();
    void signal_hide_appbox_bymain();
    void signal_showSysMsg(MessageData);

public slots:
    void slot_loggerChanged();
    void slot_showReceiveMessage();
    void slot_showScreenshot();
    void slot_changeUser(const QString &account);
    void slot_nohide();
    void slot_skinChange(const SysUIData &skin);
    void slot_receiveNewVersion();
    void slot_notifyRegisterState(int state);
    void slot_notifyRegisterUserIDAvailable(bool available);
    void slot_close();
    void slot_exitWithoutNotice();
    void slot_setToolTip(const QString &text);
    void slot_popupAddFreindWinDow();
    void slot_popupSipPhoneWindow();
    void slot_changeSignature();
    void slot_editSignature();
    void slot_showMyProfile();
    void slot_showPresencMenu();
    void slot_showMainWindow();
    void slot_showSysSettingDig();
    void slot_showSysMenu();
    void slot_exit();
    void slot_setMyProfileData();
    void slot_pAct1();
    void slot_pAct2();
    void slot_pAct3();
    void slot_pAct4();
    void slot_pAct5();
    void slot_disconnectnet(bool flag);
    void slot_timeUpDate();
    void slot_showMessageMananger();
    void slot_showFileManager();
    void slot_IsConnected(bool connected);
    void slot_changeSocketError();
    void slot_mini();
    void slot_openAppBox();
    void slot_showMsgBox();
    void slot_showMissingCallCount(int count);
    void slot_hideByBtnClose();
    void slot_systemMsgReceive(const MessageData &message);
    void slot_autoUpdate();
    void slot_ReconnectOutMsgTip();
    void slot_checkDiskTimeOut();
    void slot_showTopicWidget();
    void slot_skinChangeWidgetShow();
    void slot_OpenHotKeySetUi();
    void slot_openClearFileUI();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void connectSignalSlot();
    void choosePresence(int entry);
    void applyAutoPresence(const QList<AutoPresence::Step> &steps);
    void stopAndHide();
    void showPresence(int code);

    MainWindowSeams m_seams;
    ExitSequence m_exit;
    AutoPresence m_autoPresence;
    DockController *m_dock = nullptr;
    DiskWatch *m_diskWatch = nullptr;
    PresenceMenu *m_presenceMenu = nullptr;
    SystemMenu *m_systemMenu = nullptr;

    FramePainter m_painter;
    MainWindowUi m_ui;
    QPointer<QWidget> m_friendWidget;

    QTimer *m_clock = nullptr;
    QTimer *m_upgradeTimer = nullptr;
    QTimer *m_reconnectTimer = nullptr;
    QTimer *m_diskTimer = nullptr;

    bool m_loggedIn = false;
    bool m_placedOnce = false;
    QRect m_lastGeometry;
    QString m_statusLine;
    QPointer<QWidget> m_hotKeyDialog;
};
