#pragma once

#include <lumio/MessageData.h>
#include <lumio/RequestData.h>
#include <lumio/SysUIData.h>
#include <lumio/VcardInfo.h>

#include <QList>
#include <QMap>
#include <QObject>
#include <QPixmap>
#include <QString>
#include <QStringList>

// The hub between the dispatcher and the windows, so that neither knows the other.
class MainSignalSender : public QObject
{
    Q_OBJECT
public:
    static MainSignalSender *instance();
    explicit MainSignalSender(QObject *parent = nullptr);

    void emitIsConnected(bool connected);
    void login(bool loggedIn);
    void emitLabelrequestWithNoName(const QString &first, const QString &second,
                                    const QString &third, bool flag);
    void emitNotifyMissingCallCount(int count);
    void emitPasswordError();
    void emitNoHide();
    void emitMyProfileReceived();
    void emitSetphoto(const QPixmap &photo);
    void emitOpendlgofjid(const QString &jid);
    void emitInitmsg();
    void emitLoggerChanged();
    void disconnectNet(bool flag);
    void emitChangeSocketError();
    void emitJid(const QString &jid);
    void emitLoginTip(const QString &tip);
    void emitDelFriend(const QString &jid);
    void emitFriendInfo(const QString &jid, const VcardInfo &card);
    void emitMyConfirmedResultReceived(const QMap<QString, QString> &labels);
    void emitMyUnconfirmedResultReceived(const QMap<QString, QStringList> &labelIds,
                                         const QMap<QString, QString> &labels);
    void emitLabelrequest(const QString &jid, const QString &labelName, const QString &messageId,
                          bool advanced);
    void emitReqlist(const QList<RequestData> &requests);
    void emitDisHandleReqlist(const QList<RequestData> &requests);
    void emitFriendInfoReceive(const QString &jid);
    void emitHideAppbox();
    void emitStrToBlock(const QString &jid);
    void emitPicRec(const QString &first, const QString &second);
    void emitSystemMsgReceive(const MessageData &message);
    void emitClearMsgBox();
    void emitSkinChange(const SysUIData &skin);
    void emitReceiveNewVersion();
    void emitUpdateStranger(const QString &jid);
    void emitNotifyRegisterState(int state);
    void emitNotifyRegisterUserIDAvailable(bool available);

signals:
    void signal_isConnected(bool);
    void signal_login();
    void signal_logout();
    void signal_labelrequestWithNoName(QString, QString, QString, bool);
    void signal_notifyMissingCallCount(int);
    void signal_password_error();
    void signal_noHide();
    void signal_myProfileReceived();
    void signal_setphoto(QPixmap);
    void signal_opendlgofjid(QString);
    void signal_initmsg();
    void signal_loggerChanged();
    void signal_disConnectNet(bool);
    void signal_disConnectNetForSys();
    void signal_changeSocketError();
    void signal_jid(QString);
    void signal_LoginTip(QString);
    void signal_delFriend(QString);
    void signal_friendInfo(QString, VcardInfo);
    void signal_MyConfirmedResultReceived(QMap<QString, QString>);
    void signal_MyUnconfirmedResultReceived(QMap<QString, QStringList>, QMap<QString, QString>);
    void signal_labelrequest(QString, QString, QString, bool);
    void signal_reqlist(QList<RequestData>);
    void signal_disHandleReqlist(QList<RequestData>);
    void signal_friendInfoReceive(QString);
    void signal_hide_appbox();
    void signal_StrToBlock(QString);
    void signal_PicRec(QString, QString);
    void signal_SystemMsgReceive(MessageData);
    void signal_clearMsgBox();
    void signal_skinChange(SysUIData);
    void signal_receiveNewVersion();
    void signal_updateStranger(QString);
    void signal_notifyRegisterState(int);
    void signal_notifyRegisterUserIDAvailable(bool);
};
