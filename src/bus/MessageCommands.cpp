#include "MessageCommands.h"

#include "LoginCache.h"
#include "MainSignalSender.h"
#include "entries/InvitationEntry.h"
#include "entries/TrayEntry.h"
#include "entries/UnreadBoxEntry.h"
#include "log/ShellLog.h"

#include <lumio/Commands.h>
#include <lumio/MessageData.h>
#include <lumio/Records.h>

namespace {

constexpr qint32 NoticeMessageType = 12;
// No command can ask for a quiet notice: every notice flashes the tray.
constexpr bool NoticeSilent = false;

void arrivingMessage(CommandContext &c)
{
    const QString jid = c.in().readString();
    if (const auto message = c.copyOf<MessageData>()) {
        c.tray().trayShakeByMessage(jid, *message);
        c.unreadBox().addMessageToBox(*message, jid);
    }
}

void noticeWithTime(CommandContext &c)
{
    const QString jid = c.in().readString();
    MessageData message;
    message.time = c.in().readString();
    message.type = NoticeMessageType;
    c.tray().trayShakeByMessage(jid, message);
}

// The first record of the list stands for the notice.
void noticeFromList(CommandContext &c)
{
    const QString jid = c.in().readString();
    const auto records = c.copyOf<QList<NoticeRecord>>();
    if (!records)
        return;
    if (records->isEmpty()) {
        LOG_DEBUG(QStringLiteral("notice list for %1 is empty; nothing to show").arg(jid));
        return;
    }
    c.tray().trayShakeByNotice(jid, records->first().text, NoticeSilent);
}

void noticeFromRecord(CommandContext &c)
{
    const QString jid = c.in().readString();
    c.in().readString();
    if (const auto record = c.copyOf<NoticeRecord>())
        c.tray().trayShakeByNotice(jid, record->text, NoticeSilent);
}

void messagesRead(CommandContext &c)
{
    const QString jid = c.in().readString();
    const QString messageId = c.in().readString();
    if (!messageId.isEmpty())
        c.unreadBox().removeMessageById(jid, messageId);
    else if (!jid.isEmpty())
        c.unreadBox().removeUnreadMessagesOf(jid);
    else
        c.unreadBox().removeAllUnreadMessages();
}

void updateBoxEntry(CommandContext &c)
{
    PayloadReader &in = c.in();
    const QString first = in.readString();
    const QString second = in.readString();
    const QString third = in.readString();
    const QString fourth = in.readString();
    const bool flag = in.readBool();
    c.unreadBox().updateMessageBoxEntry(first, second, third, fourth, flag);
}

void addMessageRows(CommandTable &t)
{
    t.insert(Command::SystemMessage, [](CommandContext &c) {
        if (const auto message = c.copyOf<MessageData>())
            c.signalSender().emitSystemMsgReceive(*message);
    });
    t.insert(Command::AddToMessageBox, [](CommandContext &c) {
        const QString name = c.in().readString();
        if (const auto message = c.copyOf<MessageData>())
            c.unreadBox().addMessageToBox(*message, name);
    });
    t.insert(Command::MessageArrived, arrivingMessage);
    t.insert(Command::FlashForMessage, [](CommandContext &c) {
        if (const auto message = c.copyOf<MessageData>())
            c.tray().trayShakeByMessage(message->fromJid, *message);
    });
    t.insert(Command::NoticeWithTime, noticeWithTime);
    t.insert(Command::NoticeFromList, noticeFromList);
    t.insert(Command::NoticeFromRecord, noticeFromRecord);
    t.insert(Command::MessagesRead, messagesRead);
    t.insert(Command::RemoveSender, [](CommandContext &c) { c.unreadBox().removeSender(c.in().readString()); });
    t.insert(Command::StopFlashing, [](CommandContext &c) { c.tray().trayStopFlashing(c.in().readString()); });
}

void addMessageBoxRows(CommandTable &t)
{
    t.insert(Command::MessageBoxCount, [](CommandContext &c) { c.unreadBox().setMessageBoxCount(c.in().readInt()); });
    const CommandHandler visible = [](CommandContext &c) {
        if (c.expectsAnswer())
            c.answer(c.unreadBox().isMessageBoxVisible());
    };
    t.insert(Command::IsMessageBoxVisible, visible);
    t.insert(Command::IsMessageBoxVisibleAlt, visible);
    t.insert(Command::UpdateMessageBoxEntry, updateBoxEntry);
    t.insert(Command::SetLogUploadKey, [](CommandContext &c) {
        const QString key = c.in().readString();
        c.cache().setLogUploadKey(key);
        c.unreadBox().setMessageBoxLogUploadKey(key);
    });
    t.insert(Command::SetLogUploadUserId, [](CommandContext &c) {
        const QString userId = c.in().readString();
        c.cache().setLogUploadUserId(userId);
        c.unreadBox().setMessageBoxLogUploadUserId(userId);
    });
}

void addInvitationRows(CommandTable &t)
{
    t.insert(Command::AudioVideoInvitation, [](CommandContext &c) {
        if (const auto message = c.copyOf<MessageData>())
            c.invitations().showAudioVideoInvitation(*message);
    });
    t.insert(Command::CloseAudioVideoInvitation,
             [](CommandContext &c) { c.invitations().closeAudioVideoInvitation(c.in().readString()); });
    t.insert(Command::ClosePhoneInvitation,
             [](CommandContext &c) { c.invitations().closePhoneInvitation(c.in().readString()); });
    t.insert(Command::CloseFileInvitation,
             [](CommandContext &c) { c.invitations().closeFileInvitation(c.in().readString()); });
}

void addCallRows(CommandTable &t)
{
    t.insert(Command::MissedCallCount, [](CommandContext &c) {
        c.signalSender().emitNotifyMissingCallCount(c.in().readInt());
    });
    t.insert(Command::ClearMissedCallCount, [](CommandContext &c) { c.signalSender().emitNotifyMissingCallCount(0); });
    t.insert(Command::RegisterState,
             [](CommandContext &c) { c.signalSender().emitNotifyRegisterState(c.in().readInt()); });
    t.insert(Command::RegisterUserIdAvailable, [](CommandContext &c) {
        c.signalSender().emitNotifyRegisterUserIDAvailable(c.in().readBool());
    });
}

} // namespace

void MessageCommands::addTo(CommandTable &table)
{
    addMessageRows(table);
    addMessageBoxRows(table);
    addInvitationRows(table);
    addCallRows(table);
}
