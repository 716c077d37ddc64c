#pragma once

#include "TrayImages.h"

#include <lumio/MessageData.h>
#include <lumio/VcardInfo.h>

#include <QHash>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <QString>
#include <QSystemTrayIcon>

#include <functional>

class CMenuEx;
class QAction;
class QTimer;

// The shell's tray icon: presence, the log-in animation, flashing for unread
// senders (queue most recent first), the hover pop-up and the two tray menus.
class SystemTrayManager : public QObject
{
    Q_OBJECT
public:
    static SystemTrayManager *instance();
    ~SystemTrayManager() override;

    void initOfflineMenu();
    void shakeByMsg(const QString &jid, const MessageData &msg);
    void shakeByNotice(const QString &jid, const QString &text, bool bSilent);
    void delfrdMsgById(const QString &jid, const QString &msgId);
    void abortAllShake();
    void abortShakeExptPub();
    void loginStart();
    void loginFinished(int status);
    void showTimeOutErrorMsg();
    void setIsUserQuit(bool b);
    void hide();
    bool hasShakeJid() const { return !m_shakeJidList.isEmpty(); }
    void clearSipPhoneShake() { m_bSipPhoneShake = false; }
    void updateSmallBoxStranger(const QString &jid);
    void setMousePosCheck(bool on);

    // The unread-message box, whose visibility stops queueing; set at wiring time.
    void setUnreadBox(QWidget *box) { m_unreadBox = box; }
    bool isUnreadBoxVisible() const;
    // Whether the main window already holds the contact list; the time-out
    // notice waits for it. Set at wiring time.
    void setListEmbeddedCheck(std::function<bool()> check) { m_listEmbedded = std::move(check); }

    int status() const { return m_nStatus; }
    bool isOfflineMenu() const { return m_bOfflineMenu; }
    QList<QString> shakeJids() const { return m_shakeJidList; }
    QSystemTrayIcon *trayIcon() const { return m_pTrayIcon; }
    CMenuEx *trayMenu() const { return m_pTrayMenu; }
    // What the icon shows now: a quoted image path, "head:" + JID, or "blank".
    Q_INVOKABLE QString shownImage() const { return m_shownImage; }
    // No hover on trays that report no icon geometry (StatusNotifier hosts).
    bool isHoverless() const;
    bool isTimeOutNoticeOpen() const { return m_bReconnected; }
    bool isLoggingIn() const;
    bool isFlashing() const;

    static QString presenceIcon(int code) { return TrayImages::presenceIcon(code); }
    static QString stateText(int code, bool afterLogin) { return TrayImages::stateText(code, afterLogin); }

signals:
    void signal_ActiveChanged();
    void signal_abortallshake();
    void signal_showMainWindow();
    void signal_showLoginNew();
    void signal_changeuser(QString);
    void signal_closeMainWindow();
    void signal_pAct1();
    void signal_pAct2();
    void signal_pAct3();
    void signal_pAct4();
    void signal_pAct5();

public slots:
    void slot_offlineToolInit();
    void slot_flagchange();
    void slot_setSystemToolTip();
    void slot_removeActJid(const QString &jid);
    void slot_showMainwindow();
    void slot_timeOutShakeHead();
    void slot_trayActivated(QSystemTrayIcon::ActivationReason reason);
    void slot_showLoginNew();
    void slot_changeUser();
    void slot_quit();
    void slot_pAct1();
    void slot_pAct2();
    void slot_pAct3();
    void slot_pAct4();
    void slot_pAct5();
    void slot_trayMenuChange();
    void slot_disconnectnet();
    void slot_IsConnected(bool connected);
    void slot_checkMousePos();
    void slot_QuitLoginUi();
    void slot_changeLoginIcon();

private:
    SystemTrayManager();

    void setIconImage(const QString &quoted);
    void setBlankIcon();
    void startShakeTimer();
    void startMousePoll();
    void stopMousePoll();
    void clickTrayIcon();
    void moveToFront(const QString &jid);
    void setPresenceTooltip(const QString &state);
    void popUpSmallBox();

    bool m_bOfflineMenu = true;
    QTimer *m_pShakeTimer;
    QTimer *m_pMousePosTimer;
    bool m_bShakeShow = true;
    int m_nStatus = -1;
    bool m_bLoggerChanged = false;
    QList<QString> m_shakeJidList;
    bool m_bSipPhoneShake = false;
    MessageData m_sipPhoneMsg;
    QSystemTrayIcon *m_pTrayIcon;
    CMenuEx *m_pTrayMenu;
    QAction *pAct1;
    QAction *pAct2;
    QAction *pAct3;
    QAction *pAct4;
    QAction *pAct5;
    QAction *m_pActShowMain;
    QAction *m_pActChangeUser;
    QAction *m_pActQuit;
    QAction *m_pActShowLogin;
    QAction *m_pActQuitLogin;
    QTimer *m_pLoginTimer;
    int m_nLoginIconIndex = 1;
    bool m_bReconnected = false;
    bool m_bIsUserQuit = false;

    QString m_shownImage;
    TrayImages m_heads;
    QPointer<QWidget> m_unreadBox;
    std::function<bool()> m_listEmbedded;
};
