#include "MsgBoxEntry.h"

#include "MsgBox.h"
#include "log/ShellLog.h"

namespace {

MsgBoxEntry::TrayRemoval &trayRemoval()
{
    static MsgBoxEntry::TrayRemoval removal;
    return removal;
}

} // namespace

MsgBoxEntry::MsgBoxEntry(MsgBox *box) : m_box(box) {}

void MsgBoxEntry::setTrayRemoval(TrayRemoval removal)
{
    trayRemoval() = std::move(removal);
}

MsgBox &MsgBoxEntry::box()
{
    return m_box ? *m_box : *MsgBox::instance();
}

void MsgBoxEntry::tray(const QString &jid, const QString &messageId)
{
    if (trayRemoval())
        trayRemoval()(jid, messageId);
    else
        LOG_DEBUG(QStringLiteral("no tray to drop %1/%2 from").arg(jid, messageId));
}

void MsgBoxEntry::addMessageToBox(const MessageData &message, const QString &name)
{
    box().addMessageToBox(message, name.isEmpty() ? message.fromJid : name);
}

void MsgBoxEntry::removeMessageById(const QString &jid, const QString &messageId)
{
    box().delMsgByMsgId(jid, messageId);
    tray(jid, messageId);
}

void MsgBoxEntry::removeUnreadMessagesOf(const QString &jid)
{
    box().slot_DelUnreadMsg(jid);
    tray(jid, QString());
}

void MsgBoxEntry::removeAllUnreadMessages()
{
    box().removeAllMsgs();
    tray(QString(), QString());
}

void MsgBoxEntry::removeSender(const QString &jid)
{
    box().slot_DelUnreadMsg(jid);
    tray(jid, QString());
}

void MsgBoxEntry::setMessageBoxCount(int count)
{
    emit box().signal_msgcount(count);
}

bool MsgBoxEntry::isMessageBoxVisible()
{
    return box().isVisible();
}

void MsgBoxEntry::updateMessageBoxEntry(const QString &senderJid, const QString &pictureName,
                                        const QString &fileId, const QString &, bool success)
{
    box().updatePicture(senderJid, pictureName, fileId, success);
}

void MsgBoxEntry::setMessageBoxLogUploadKey(const QString &key)
{
    box().setLogUploadKey(key);
}

void MsgBoxEntry::setMessageBoxLogUploadUserId(const QString &userId)
{
    box().setLogUploadUserId(userId);
}
