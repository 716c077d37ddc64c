#include "MainEventProcess.h"

#include "BusRequest.h"

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/EventManager.h>
#include <lumio/PayloadReader.h>
#include <lumio/PayloadWriter.h>

#include <initializer_list>

using BusRequest::Source;

namespace {

// The receiver copies the object during the synchronous call.
struct ObjectAddress
{
    const void *object;
};

PayloadWriter &operator<<(PayloadWriter &writer, ObjectAddress address)
{
    return writer.writeAddress(address.object);
}

template<typename T> T decode(const QByteArray &answer);
template<> bool decode(const QByteArray &answer) { return PayloadReader(answer).readBool(); }
template<> int decode(const QByteArray &answer) { return PayloadReader(answer).readInt(); }
template<> QString decode(const QByteArray &answer) { return PayloadReader(answer).readString(); }
template<> quintptr decode(const QByteArray &answer)
{
    return quintptr(PayloadReader(answer).readAddress());
}

template<typename T>
T askFor(int command, const QString &target, const QByteArray &payload = {},
         Source source = Source::Shell)
{
    const std::optional<QByteArray> answer = BusRequest::ask(command, target, payload, source);
    return answer ? decode<T>(*answer) : T{};
}

// The object belongs to the answering plug-in; only a copy may outlive the call.
template<typename T>
T askCopy(int command, const QString &target, const QByteArray &payload = {},
          Source source = Source::Shell)
{
    const std::optional<QByteArray> answer = BusRequest::ask(command, target, payload, source);
    const T *object = answer ? PayloadReader(*answer).readPointer<T>() : nullptr;
    return object ? *object : T{};
}

void tellAll(int command, std::initializer_list<const char *> targets,
             const QByteArray &payload = {})
{
    for (const char *target : targets)
        BusRequest::tell(command, QString::fromLatin1(target), payload);
}

} // namespace

// Login plug-in

void MainEventProcess::showLoginWindow(const QString &userId, const QString &quickLaunch)
{
    BusRequest::tell(0x1055, Address::Login, PayloadWriter::pack(userId, quickLaunch));
}

void MainEventProcess::showLoginWindowAgain()
{
    BusRequest::post(0x10A8, Address::Login);
}

void MainEventProcess::quitLoginWindow()
{
    BusRequest::tell(0x10A9, Address::Login);
}

void MainEventProcess::presenceChosen()
{
    BusRequest::tell(0x10AD, Address::Login);
}

void MainEventProcess::choosePresence(const QString &presence, const QString &statusText, int code)
{
    tellAll(0x10AE, {Address::Login, Address::Contacts},
            PayloadWriter::pack(presence, statusText, code));
}

quintptr MainEventProcess::loginRecordAddress()
{
    return askFor<quintptr>(0x1083, Address::Login);
}

void MainEventProcess::reportUpgradeCheck(bool prompting)
{
    BusRequest::tell(0x1004, Address::Login, PayloadWriter::pack(prompting));
}

void MainEventProcess::loginExit()
{
    BusRequest::tell(0x126A, Address::Login);
}

// Chat plug-in

void MainEventProcess::openChatWindow(bool open, const QString &jid)
{
    BusRequest::tell(0x1060, Address::Chat, PayloadWriter::pack(open, jid));
}

void MainEventProcess::openMessageManager(const QString &text, bool flag)
{
    BusRequest::tell(0x10C5, Address::Chat, PayloadWriter::pack(text, flag));
}

void MainEventProcess::startScreenshot()
{
    BusRequest::tell(0x10C8, Address::Chat);
}

bool MainEventProcess::hasUnfinishedChats()
{
    return askFor<bool>(0x10C9, Address::Chat);
}

void MainEventProcess::markMessagesRead(const QString &jid, const QString &id)
{
    BusRequest::tell(0x10C3, Address::Chat, PayloadWriter::pack(jid, id), Source::Empty);
}

int MainEventProcess::remainingUnreadCount(const QString &jid)
{
    return askFor<int>(0x10C6, Address::Chat, PayloadWriter::pack(jid), Source::Empty);
}

MainEventProcess::UnreadMessages MainEventProcess::unreadMessages()
{
    return askCopy<UnreadMessages>(0x10CA, Address::Chat, {}, Source::Empty);
}

QString MainEventProcess::messageHtml(const QString &fragment)
{
    return askFor<QString>(0x10CC, Address::Chat, PayloadWriter::pack(fragment), Source::Empty);
}

void MainEventProcess::answerCallInvite(int value)
{
    BusRequest::tell(0x1146, Address::Chat, PayloadWriter::pack(value));
}

void MainEventProcess::acceptVoiceCall(int value)
{
    BusRequest::tell(0x1147, Address::Chat, PayloadWriter::pack(value));
}

void MainEventProcess::answerFileInvite(bool accept, const QString &jid)
{
    BusRequest::tell(0x11F6, Address::Chat, PayloadWriter::pack(accept, jid));
}

void MainEventProcess::closeFileInvite(const QString &jid)
{
    BusRequest::tell(0x122B, Address::Chat, PayloadWriter::pack(jid));
}

void MainEventProcess::answerFileOffer(const QString &jid, const MessageData *message,
                                       const QString &answer)
{
    BusRequest::tell(0x1236, Address::Chat,
                     PayloadWriter::pack(jid, ObjectAddress{message}, answer));
}

void MainEventProcess::showImage(const QString &path)
{
    BusRequest::tell(0x11FC, Address::Chat, PayloadWriter::pack(path));
}

void MainEventProcess::downloadPicture(const QString &first, const QString &second,
                                       const QString &third)
{
    BusRequest::tell(0x11FE, Address::Chat, PayloadWriter::pack(first, second, third));
}

void MainEventProcess::setAllOffline()
{
    tellAll(0x1151, {Address::Chat, Address::ContactCard, Address::GroupChat, Address::MainPanel});
}

void MainEventProcess::announceOnline()
{
    tellAll(0x1152, {Address::Chat, Address::ContactCard, Address::MainPanel});
}

// Contacts plug-in

bool MainEventProcess::isConnected()
{
    return askFor<bool>(0x1048, Address::Contacts);
}

QString MainEventProcess::userName()
{
    return askFor<QString>(0x1114, Address::Contacts);
}

QString MainEventProcess::contactsQuery1163()
{
    return askFor<QString>(0x1163, Address::Contacts);
}

void MainEventProcess::contactsNotice1129()
{
    BusRequest::tell(0x1129, Address::Contacts);
}

void MainEventProcess::findFriend(const QString &text)
{
    BusRequest::tell(0x1135, Address::Contacts, PayloadWriter::pack(text));
}

void MainEventProcess::contactsNotice1141(int value)
{
    BusRequest::tell(0x1141, Address::Contacts, PayloadWriter::pack(value));
}

void MainEventProcess::contactsFlag10DF(bool flag)
{
    BusRequest::tell(0x10DF, Address::Contacts, PayloadWriter::pack(flag));
}

void MainEventProcess::refuseCallInvite(bool flag)
{
    BusRequest::tell(0x11FB, Address::Contacts, PayloadWriter::pack(flag));
}

void MainEventProcess::presenceMenuNotice()
{
    BusRequest::tell(0x10E6, Address::Contacts);
}

void MainEventProcess::setSignature(const QString &signature)
{
    BusRequest::tell(0x1125, Address::Contacts, PayloadWriter::pack(signature));
    BusRequest::tell(0x1125, Address::OwnProfile);
}

void MainEventProcess::reportExitState(int state)
{
    BusRequest::tell(0x112A, Address::Contacts, PayloadWriter::pack(state));
}

void MainEventProcess::deleteFriend(const QString &jid)
{
    BusRequest::tell(0x1162, Address::Contacts, PayloadWriter::pack(jid));
}

void MainEventProcess::markLabelRead(const QString &messageId, const QString &friendJid)
{
    BusRequest::tell(0x122C, Address::Contacts, PayloadWriter::pack(messageId, friendJid));
}

void MainEventProcess::markAdvancedLabel(const QString &messageId, const QString &state,
                                         const QString &friendJid)
{
    BusRequest::postFrom(0x127F, Address::Contacts, Address::GroupChat,
                         PayloadWriter::pack(messageId, state, friendJid));
}

void MainEventProcess::lookUpContact(const QString &jid)
{
    BusRequest::tell(0x1044, Address::Contacts, PayloadWriter::pack(jid), Source::Empty);
}

void MainEventProcess::acceptLabel(const void *labelAnswer)
{
    BusRequest::tell(0x10F1, Address::Contacts, PayloadWriter::pack(ObjectAddress{labelAnswer}),
                     Source::Empty);
}

void MainEventProcess::confirmLabelAccepted()
{
    BusRequest::tell(0x10F2, Address::Contacts, {}, Source::Empty);
}

void MainEventProcess::refuseLabel(const void *labelAnswer)
{
    BusRequest::tell(0x10F3, Address::Contacts, PayloadWriter::pack(ObjectAddress{labelAnswer}),
                     Source::Empty);
}

void MainEventProcess::contactsNotice10F9(int value)
{
    BusRequest::tell(0x10F9, Address::Contacts, PayloadWriter::pack(value), Source::Empty);
}

// Main-panel plug-in

QWidget *MainEventProcess::contactListWidget()
{
    return reinterpret_cast<QWidget *>(askFor<quintptr>(0x1086, Address::MainPanel));
}

void MainEventProcess::openAddFriendWindow()
{
    BusRequest::tell(0x10B9, Address::MainPanel);
}

bool MainEventProcess::panelQuery1084(const QString &text)
{
    return askFor<bool>(0x1084, Address::MainPanel, PayloadWriter::pack(text));
}

void MainEventProcess::panelNotice10BB(const QString &first, int value, const QString &second,
                                       const QString &third, const QString &fourth,
                                       const QString &fifth)
{
    BusRequest::tell(0x10BB, Address::MainPanel,
                     PayloadWriter::pack(first, value, second, third, fourth, fifth));
}

void MainEventProcess::stopFlashing(const QString &jid)
{
    BusRequest::tell(0x10D3, Address::MainPanel, PayloadWriter::pack(jid));
}

void MainEventProcess::reportHeadImageHover(const QString &text, int first, int second, int third,
                                            bool flag)
{
    BusRequest::tell(0x10D6, Address::MainPanel,
                     PayloadWriter::pack(text, first, second, third, flag));
}

void MainEventProcess::reportMouseHover()
{
    BusRequest::post(0x10D7, Address::MainPanel, {}, Source::Empty);
}

void MainEventProcess::setShadow(double value)
{
    BusRequest::post(0x1244, Address::MainPanel, PayloadWriter::pack(value));
}

bool MainEventProcess::panelQuery1206()
{
    return askFor<bool>(0x1206, Address::MainPanel);
}

QStringList MainEventProcess::expandedGroups()
{
    return askCopy<QStringList>(0x11BD, Address::MainPanel);
}

void MainEventProcess::panelDisconnect()
{
    BusRequest::tell(0x11BE, Address::MainPanel);
}

void MainEventProcess::panelNotice1183(const QString &first, const QString &second,
                                       const QString &third, bool flag)
{
    BusRequest::tell(0x1183, Address::MainPanel, PayloadWriter::pack(first, second, third, flag),
                     Source::Empty);
}

void MainEventProcess::panelNotice1184(const QString &first, const QString &second)
{
    BusRequest::tell(0x1184, Address::MainPanel, PayloadWriter::pack(first, second), Source::Empty);
}

void MainEventProcess::showCardInPanel(const QString &jid)
{
    BusRequest::postFrom(0x10E2, Address::MainPanel, Address::Chat, PayloadWriter::pack(jid));
}

// Contact-card plug-in

VcardInfo MainEventProcess::contactCard(const QString &jid)
{
    return askCopy<VcardInfo>(0x1043, Address::ContactCard, PayloadWriter::pack(jid),
                              Source::Empty);
}

bool MainEventProcess::knowsContact(const QString &jid)
{
    return askFor<bool>(0x113B, Address::ContactCard, PayloadWriter::pack(jid), Source::Empty);
}

bool MainEventProcess::cardQuery118D(const QString &text)
{
    return askFor<bool>(0x118D, Address::ContactCard, PayloadWriter::pack(text), Source::Empty);
}

bool MainEventProcess::isPublicAccount(const QString &jid)
{
    return askFor<bool>(0x111C, Address::ContactCard, PayloadWriter::pack(jid));
}

PublicAccountRecord MainEventProcess::publicAccount(const QString &jid)
{
    return askCopy<PublicAccountRecord>(0x1226, Address::ContactCard, PayloadWriter::pack(jid));
}

quintptr MainEventProcess::cardRecord115B()
{
    return askFor<quintptr>(0x115B, Address::ContactCard);
}

// Own-profile plug-in

void MainEventProcess::showMyProfile()
{
    BusRequest::post(0x10E4, Address::OwnProfile);
}

void MainEventProcess::showMyProfileNow()
{
    BusRequest::tell(0x10E4, Address::OwnProfile);
}

void MainEventProcess::showCard()
{
    BusRequest::tell(0x10E1, Address::OwnProfile);
}

void MainEventProcess::openProfileSettings()
{
    BusRequest::post(0x10F8, Address::OwnProfile);
}

// Own-account plug-in

VcardInfo MainEventProcess::ownAccount()
{
    return askCopy<VcardInfo>(0x1127, Address::OwnAccount);
}

void MainEventProcess::setPresence(int code)
{
    BusRequest::tell(0x10E5, Address::OwnAccount, PayloadWriter::pack(code));
}

void MainEventProcess::tellPresence(int code)
{
    BusRequest::tell(0x1191, Address::OwnAccount, PayloadWriter::pack(code));
}

bool MainEventProcess::accountQuery10FB()
{
    return askFor<bool>(0x10FB, Address::OwnAccount);
}

// Group-chat plug-in

bool MainEventProcess::queryGroupChatExit()
{
    return askFor<bool>(0x110A, Address::GroupChat);
}

void MainEventProcess::tellGroupChatExit(bool flag)
{
    BusRequest::tell(0x110B, Address::GroupChat, PayloadWriter::pack(flag));
}

GroupRecord MainEventProcess::group(const QString &jid)
{
    return askCopy<GroupRecord>(0x11A9, Address::GroupChat, PayloadWriter::pack(jid));
}

quintptr MainEventProcess::groupRecord11AD(const QString &text)
{
    return askFor<quintptr>(0x11AD, Address::GroupChat, PayloadWriter::pack(text));
}

QString MainEventProcess::fileInviteQuery(const QString &first, const QString &second)
{
    return askFor<QString>(0x11D1, Address::GroupChat, PayloadWriter::pack(first, second));
}

// System-settings plug-in

void MainEventProcess::openSettings(int page)
{
    BusRequest::tell(0x1111, Address::SystemSettings, PayloadWriter::pack(page));
}

void MainEventProcess::openHotKeySettings()
{
    BusRequest::post(0x10A1, Address::SystemSettings);
}

void MainEventProcess::openClearFilesDialog()
{
    BusRequest::post(0x1240, Address::SystemSettings);
}

// SIP phone plug-in

void MainEventProcess::openPhoneWindow()
{
    BusRequest::tell(0x124A, Address::SipPhone);
}

void MainEventProcess::acceptPhoneCall(const QString &firstId, const QString &secondId)
{
    BusRequest::tell(0x125E, Address::SipPhone, PayloadWriter::pack(firstId, secondId));
}

void MainEventProcess::refusePhoneCall(const QString &firstId, const QString &secondId)
{
    BusRequest::tell(0x125F, Address::SipPhone, PayloadWriter::pack(firstId, secondId));
}

void MainEventProcess::showPhoneCall(const QString &firstId, const QString &secondId)
{
    BusRequest::tell(0x1260, Address::SipPhone, PayloadWriter::pack(firstId, secondId));
}

// User-directory plug-in

UserRecord MainEventProcess::currentUser()
{
    return askCopy<UserRecord>(0x113E, Address::UserDirectory);
}

QString MainEventProcess::directoryQuery10A6()
{
    return askFor<QString>(0x10A6, Address::UserDirectory);
}

// Other parties

bool MainEventProcess::exitNoticeQuery()
{
    return askFor<bool>(0x1254, Address::ExitNotified);
}

void MainEventProcess::notifyExit()
{
    BusRequest::tell(0x1266, Address::ExitNotified);
}

void MainEventProcess::tellSmallBoxSender(const QString &jid)
{
    BusRequest::tell(0x111A, Address::SmallBoxSender, PayloadWriter::pack(jid));
}

int MainEventProcess::senderUnreadCount(const QString &jid)
{
    return askFor<int>(0x111B, Address::SmallBoxSender, PayloadWriter::pack(jid));
}

void MainEventProcess::openFileManager()
{
    BusRequest::tell(0x126C, Address::FileManager);
}

void MainEventProcess::showTopic(const QString &text)
{
    BusRequest::tell(0x1119, Address::Topic, PayloadWriter::pack(text));
}

void MainEventProcess::broadcastSkin(const SysUIData &skin)
{
    // The record rides along as an attachment, so it lives until the last
    // receiver's copy is gone; the payload carries its address.
    auto *copy = new SysUIData(skin);
    PayloadWriter payload;
    payload.writeAddress(copy);
    auto *event = new BaseEvent(0x1237, payload.bytes(), QString(), QString::fromLatin1(Address::Shell),
                                {}, true, true);
    event->addAttachment(copy);
    BusRequest::bus()->send(event);
}

// The shell's own log-in cache

QString MainEventProcess::ownJid()
{
    return askFor<QString>(0x1047, Address::Shell);
}

QString MainEventProcess::logUploadKey()
{
    return askFor<QString>(0x10AA, Address::Shell);
}

QString MainEventProcess::logUploadUserId()
{
    return askFor<QString>(0x10AB, Address::Shell);
}
