#include "MainSignalSender.h"

MainSignalSender *MainSignalSender::instance()
{
    static auto *sender = new MainSignalSender;
    return sender;
}

MainSignalSender::MainSignalSender(QObject *parent)
    : QObject(parent)
{
    // Listeners connected by signature need the maps known by name to queue them.
    static const int registered = [] {
        qRegisterMetaType<QMap<QString, QString>>();
        qRegisterMetaType<QMap<QString, QStringList>>();
        return 0;
    }();
    Q_UNUSED(registered);
}

void MainSignalSender::emitIsConnected(bool connected)
{
    emit signal_isConnected(connected);
}

void MainSignalSender::login(bool loggedIn)
{
    if (loggedIn)
        emit signal_login();
    else
        emit signal_logout();
}

void MainSignalSender::emitLabelrequestWithNoName(const QString &first, const QString &second,
                                                  const QString &third, bool flag)
{
    emit signal_labelrequestWithNoName(first, second, third, flag);
}

void MainSignalSender::emitNotifyMissingCallCount(int count)
{
    emit signal_notifyMissingCallCount(count);
}

void MainSignalSender::emitPasswordError()
{
    emit signal_password_error();
}

void MainSignalSender::emitNoHide()
{
    emit signal_noHide();
}

void MainSignalSender::emitMyProfileReceived()
{
    emit signal_myProfileReceived();
}

void MainSignalSender::emitSetphoto(const QPixmap &photo)
{
    emit signal_setphoto(photo);
}

void MainSignalSender::emitOpendlgofjid(const QString &jid)
{
    emit signal_opendlgofjid(jid);
}

void MainSignalSender::emitInitmsg()
{
    emit signal_initmsg();
}

void MainSignalSender::emitLoggerChanged()
{
    emit signal_loggerChanged();
}

void MainSignalSender::disconnectNet(bool flag)
{
    emit signal_disConnectNet(flag);
    emit signal_disConnectNetForSys();
}

void MainSignalSender::emitChangeSocketError()
{
    emit signal_changeSocketError();
}

void MainSignalSender::emitJid(const QString &jid)
{
    emit signal_jid(jid);
}

void MainSignalSender::emitLoginTip(const QString &tip)
{
    emit signal_LoginTip(tip);
}

void MainSignalSender::emitDelFriend(const QString &jid)
{
    emit signal_delFriend(jid);
}

void MainSignalSender::emitFriendInfo(const QString &jid, const VcardInfo &card)
{
    emit signal_friendInfo(jid, card);
}

void MainSignalSender::emitMyConfirmedResultReceived(const QMap<QString, QString> &labels)
{
    emit signal_MyConfirmedResultReceived(labels);
}

void MainSignalSender::emitMyUnconfirmedResultReceived(const QMap<QString, QStringList> &labelIds,
                                                       const QMap<QString, QString> &labels)
{
    emit signal_MyUnconfirmedResultReceived(labelIds, labels);
}

void MainSignalSender::emitLabelrequest(const QString &jid, const QString &labelName,
                                        const QString &messageId, bool advanced)
{
    emit signal_labelrequest(jid, labelName, messageId, advanced);
}

void MainSignalSender::emitReqlist(const QList<RequestData> &requests)
{
    emit signal_reqlist(requests);
}

void MainSignalSender::emitDisHandleReqlist(const QList<RequestData> &requests)
{
    emit signal_disHandleReqlist(requests);
}

void MainSignalSender::emitFriendInfoReceive(const QString &jid)
{
    emit signal_friendInfoReceive(jid);
}

void MainSignalSender::emitHideAppbox()
{
    emit signal_hide_appbox();
}

void MainSignalSender::emitStrToBlock(const QString &jid)
{
    emit signal_StrToBlock(jid);
}

void MainSignalSender::emitPicRec(const QString &first, const QString &second)
{
    emit signal_PicRec(first, second);
}

void MainSignalSender::emitSystemMsgReceive(const MessageData &message)
{
    emit signal_SystemMsgReceive(message);
}

void MainSignalSender::emitClearMsgBox()
{
    emit signal_clearMsgBox();
}

void MainSignalSender::emitSkinChange(const SysUIData &skin)
{
    emit signal_skinChange(skin);
}

void MainSignalSender::emitReceiveNewVersion()
{
    emit signal_receiveNewVersion();
}

void MainSignalSender::emitUpdateStranger(const QString &jid)
{
    emit signal_updateStranger(jid);
}

void MainSignalSender::emitNotifyRegisterState(int state)
{
    emit signal_notifyRegisterState(state);
}

void MainSignalSender::emitNotifyRegisterUserIDAvailable(bool available)
{
    emit signal_notifyRegisterUserIDAvailable(available);
}
