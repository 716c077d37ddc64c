#include "MainEventProcess.h"

#include "BusRequest.h"

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/Commands.h>
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
    BusRequest::tell(Command::ShowLoginWindow, Address::Login,
                     PayloadWriter::pack(userId, quickLaunch));
}

void MainEventProcess::showLoginWindowAgain()
{
    BusRequest::post(Command::ShowLoginWindowAgain, Address::Login);
}

void MainEventProcess::quitLoginWindow()
{
    BusRequest::tell(Command::QuitLoginWindow, Address::Login);
}

void MainEventProcess::presenceChosen()
{
    BusRequest::tell(Command::PresenceChosen, Address::Login);
}

void MainEventProcess::choosePresence(const QString &presence, const QString &statusText, int code)
{
    tellAll(Command::ChoosePresence, {Address::Login, Address::Contacts},
            PayloadWriter::pack(presence, statusText, code));
}

quintptr MainEventProcess::loginRecordAddress()
{
    return askFor<quintptr>(Command::LoginRecord, Address::Login);
}

void MainEventProcess::reportUpgradeCheck(bool prompting)
{
    BusRequest::tell(Command::UpgradeCheckResult, Address::Login, PayloadWriter::pack(prompting));
}

void MainEventProcess::loginExit()
{
    BusRequest::tell(Command::LoginExit, Address::Login);
}

// Chat plug-in

void MainEventProcess::openChatWindow(bool open, const QString &jid)
{
    BusRequest::tell(Command::OpenChatWindow, Address::Chat, PayloadWriter::pack(open, jid));
}

void MainEventProcess::openMessageManager(const QString &text, bool flag)
{
    BusRequest::tell(Command::OpenMessageManager, Address::Chat, PayloadWriter::pack(text, flag));
}

void MainEventProcess::startScreenshot()
{
    BusRequest::tell(Command::StartScreenshot, Address::Chat);
}

bool MainEventProcess::hasUnfinishedChats()
{
    return askFor<bool>(Command::HasUnfinishedChats, Address::Chat);
}

void MainEventProcess::markMessagesRead(const QString &jid, const QString &id)
{
    BusRequest::tell(Command::MarkMessagesRead, Address::Chat, PayloadWriter::pack(jid, id),
                     Source::Empty);
}

int MainEventProcess::remainingUnreadCount(const QString &jid)
{
    return askFor<int>(Command::RemainingUnreadCount, Address::Chat, PayloadWriter::pack(jid),
                       Source::Empty);
}

MainEventProcess::UnreadMessages MainEventProcess::unreadMessages()
{
    return askCopy<UnreadMessages>(Command::UnreadMessages, Address::Chat, {}, Source::Empty);
}

QString MainEventProcess::messageHtml(const QString &fragment)
{
    return askFor<QString>(Command::MessageHtml, Address::Chat, PayloadWriter::pack(fragment),
                           Source::Empty);
}

void MainEventProcess::answerCallInvite(int value)
{
    BusRequest::tell(Command::AnswerCallInvite, Address::Chat, PayloadWriter::pack(value));
}

void MainEventProcess::acceptVoiceCall(int value)
{
    BusRequest::tell(Command::AcceptVoiceCall, Address::Chat, PayloadWriter::pack(value));
}

void MainEventProcess::answerFileInvite(bool accept, const QString &jid)
{
    BusRequest::tell(Command::AnswerFileInvite, Address::Chat, PayloadWriter::pack(accept, jid));
}

void MainEventProcess::closeFileInvite(const QString &jid)
{
    BusRequest::tell(Command::CloseFileInvite, Address::Chat, PayloadWriter::pack(jid));
}

void MainEventProcess::answerFileOffer(const QString &jid, const MessageData *message,
                                       const QString &answer)
{
    BusRequest::tell(Command::AnswerFileOffer, Address::Chat,
                     PayloadWriter::pack(jid, ObjectAddress{message}, answer));
}

void MainEventProcess::showImage(const QString &path)
{
    BusRequest::tell(Command::ShowImage, Address::Chat, PayloadWriter::pack(path));
}

void MainEventProcess::downloadPicture(const QString &first, const QString &second,
                                       const QString &third)
{
    BusRequest::tell(Command::DownloadPicture, Address::Chat,
                     PayloadWriter::pack(first, second, third));
}

void MainEventProcess::setAllOffline()
{
    tellAll(Command::SetAllOffline,
            {Address::Chat, Address::ContactCard, Address::GroupChat, Address::MainPanel});
}

void MainEventProcess::announceOnline()
{
    tellAll(Command::AnnounceOnline, {Address::Chat, Address::ContactCard, Address::MainPanel});
}

// Contacts plug-in

bool MainEventProcess::isConnected()
{
    return askFor<bool>(Command::IsConnected, Address::Contacts);
}

QString MainEventProcess::userName()
{
    return askFor<QString>(Command::UserName, Address::Contacts);
}

QString MainEventProcess::contactsQuery1163()
{
    return askFor<QString>(Command::ContactsQuery1163, Address::Contacts);
}

void MainEventProcess::contactsNotice1129()
{
    BusRequest::tell(Command::ContactsNotice1129, Address::Contacts);
}

void MainEventProcess::findFriend(const QString &text)
{
    BusRequest::tell(Command::FindFriend, Address::Contacts, PayloadWriter::pack(text));
}

void MainEventProcess::contactsNotice1141(int value)
{
    BusRequest::tell(Command::ContactsNotice1141, Address::Contacts, PayloadWriter::pack(value));
}

void MainEventProcess::contactsFlag10DF(bool flag)
{
    BusRequest::tell(Command::ContactsFlag10DF, Address::Contacts, PayloadWriter::pack(flag));
}

void MainEventProcess::refuseCallInvite(bool flag)
{
    BusRequest::tell(Command::RefuseCallInvite, Address::Contacts, PayloadWriter::pack(flag));
}

void MainEventProcess::presenceMenuNotice()
{
    BusRequest::tell(Command::PresenceMenuNotice, Address::Contacts);
}

void MainEventProcess::setSignature(const QString &signature)
{
    BusRequest::tell(Command::SetSignature, Address::Contacts, PayloadWriter::pack(signature));
    BusRequest::tell(Command::SetSignature, Address::OwnProfile);
}

void MainEventProcess::reportExitState(int state)
{
    BusRequest::tell(Command::CloseMainWindow, Address::Contacts, PayloadWriter::pack(state));
}

void MainEventProcess::deleteFriend(const QString &jid)
{
    BusRequest::tell(Command::DeleteFriend, Address::Contacts, PayloadWriter::pack(jid));
}

void MainEventProcess::markLabelRead(const QString &messageId, const QString &friendJid)
{
    BusRequest::tell(Command::MarkLabelRead, Address::Contacts,
                     PayloadWriter::pack(messageId, friendJid));
}

void MainEventProcess::markAdvancedLabel(const QString &messageId, const QString &state,
                                         const QString &friendJid)
{
    BusRequest::postFrom(Command::MarkAdvancedLabel, Address::Contacts, Address::GroupChat,
                         PayloadWriter::pack(messageId, state, friendJid));
}

void MainEventProcess::lookUpContact(const QString &jid)
{
    BusRequest::tell(Command::LookUpContact, Address::Contacts, PayloadWriter::pack(jid),
                     Source::Empty);
}

void MainEventProcess::acceptLabel(const void *labelAnswer)
{
    BusRequest::tell(Command::AcceptLabel, Address::Contacts,
                     PayloadWriter::pack(ObjectAddress{labelAnswer}), Source::Empty);
}

void MainEventProcess::confirmLabelAccepted()
{
    BusRequest::tell(Command::LabelAccepted, Address::Contacts, {}, Source::Empty);
}

void MainEventProcess::refuseLabel(const void *labelAnswer)
{
    BusRequest::tell(Command::RefuseLabel, Address::Contacts,
                     PayloadWriter::pack(ObjectAddress{labelAnswer}), Source::Empty);
}

void MainEventProcess::contactsNotice10F9(int value)
{
    BusRequest::tell(Command::ContactsNotice10F9, Address::Contacts, PayloadWriter::pack(value),
                     Source::Empty);
}

// Main-panel plug-in

QWidget *MainEventProcess::contactListWidget()
{
    return reinterpret_cast<QWidget *>(
        askFor<quintptr>(Command::ContactListWidget, Address::MainPanel));
}

void MainEventProcess::openAddFriendWindow()
{
    BusRequest::tell(Command::OpenAddFriendWindow, Address::MainPanel);
}

bool MainEventProcess::panelQuery1084(const QString &text)
{
    return askFor<bool>(Command::PanelQuery1084, Address::MainPanel, PayloadWriter::pack(text));
}

void MainEventProcess::panelNotice10BB(const QString &first, int value, const QString &second,
                                       const QString &third, const QString &fourth,
                                       const QString &fifth)
{
    BusRequest::tell(Command::PanelNotice10BB, Address::MainPanel,
                     PayloadWriter::pack(first, value, second, third, fourth, fifth));
}

void MainEventProcess::stopFlashing(const QString &jid)
{
    BusRequest::tell(Command::FlashingStopped, Address::MainPanel, PayloadWriter::pack(jid));
}

void MainEventProcess::reportHeadImageHover(const QString &text, int first, int second, int third,
                                            bool flag)
{
    BusRequest::tell(Command::HeadImageHover, Address::MainPanel,
                     PayloadWriter::pack(text, first, second, third, flag));
}

void MainEventProcess::reportMouseHover()
{
    BusRequest::post(Command::MouseHover, Address::MainPanel, {}, Source::Empty);
}

void MainEventProcess::setShadow(double value)
{
    BusRequest::post(Command::SetShadow, Address::MainPanel, PayloadWriter::pack(value));
}

bool MainEventProcess::panelQuery1206()
{
    return askFor<bool>(Command::PanelQuery1206, Address::MainPanel);
}

QStringList MainEventProcess::expandedGroups()
{
    return askCopy<QStringList>(Command::ExpandedGroups, Address::MainPanel);
}

void MainEventProcess::panelDisconnect()
{
    BusRequest::tell(Command::PanelDisconnect, Address::MainPanel);
}

void MainEventProcess::panelNotice1183(const QString &first, const QString &second,
                                       const QString &third, bool flag)
{
    BusRequest::tell(Command::PanelNotice1183, Address::MainPanel,
                     PayloadWriter::pack(first, second, third, flag), Source::Empty);
}

void MainEventProcess::panelNotice1184(const QString &first, const QString &second)
{
    BusRequest::tell(Command::PanelNotice1184, Address::MainPanel,
                     PayloadWriter::pack(first, second), Source::Empty);
}

void MainEventProcess::showCardInPanel(const QString &jid)
{
    BusRequest::postFrom(Command::ShowCardInPanel, Address::MainPanel, Address::Chat,
                         PayloadWriter::pack(jid));
}

// Contact-card plug-in

VcardInfo MainEventProcess::contactCard(const QString &jid)
{
    return askCopy<VcardInfo>(Command::ContactCard, Address::ContactCard, PayloadWriter::pack(jid),
                              Source::Empty);
}

bool MainEventProcess::knowsContact(const QString &jid)
{
    return askFor<bool>(Command::KnowsContact, Address::ContactCard, PayloadWriter::pack(jid),
                        Source::Empty);
}

bool MainEventProcess::cardQuery118D(const QString &text)
{
    return askFor<bool>(Command::CardQuery118D, Address::ContactCard, PayloadWriter::pack(text),
                        Source::Empty);
}

bool MainEventProcess::isPublicAccount(const QString &jid)
{
    return askFor<bool>(Command::IsPublicAccount, Address::ContactCard, PayloadWriter::pack(jid));
}

PublicAccountRecord MainEventProcess::publicAccount(const QString &jid)
{
    return askCopy<PublicAccountRecord>(Command::PublicAccount, Address::ContactCard,
                                        PayloadWriter::pack(jid));
}

quintptr MainEventProcess::cardRecord115B()
{
    return askFor<quintptr>(Command::CardRecord115B, Address::ContactCard);
}

// Own-profile plug-in

void MainEventProcess::showMyProfile()
{
    BusRequest::post(Command::ShowMyProfile, Address::OwnProfile);
}

void MainEventProcess::showMyProfileNow()
{
    BusRequest::tell(Command::ShowMyProfile, Address::OwnProfile);
}

void MainEventProcess::showCard()
{
    BusRequest::tell(Command::ShowCard, Address::OwnProfile);
}

void MainEventProcess::openProfileSettings()
{
    BusRequest::post(Command::OpenProfileSettings, Address::OwnProfile);
}

// Own-account plug-in

VcardInfo MainEventProcess::ownAccount()
{
    return askCopy<VcardInfo>(Command::OwnAccount, Address::OwnAccount);
}

void MainEventProcess::setPresence(int code)
{
    BusRequest::tell(Command::SetPresence, Address::OwnAccount, PayloadWriter::pack(code));
}

void MainEventProcess::tellPresence(int code)
{
    BusRequest::tell(Command::TellPresence, Address::OwnAccount, PayloadWriter::pack(code));
}

bool MainEventProcess::accountQuery10FB()
{
    return askFor<bool>(Command::AccountQuery10FB, Address::OwnAccount);
}

// Group-chat plug-in

bool MainEventProcess::queryGroupChatExit()
{
    return askFor<bool>(Command::GroupChatExitQuery, Address::GroupChat);
}

void MainEventProcess::tellGroupChatExit(bool flag)
{
    BusRequest::tell(Command::GroupChatExit, Address::GroupChat, PayloadWriter::pack(flag));
}

GroupRecord MainEventProcess::group(const QString &jid)
{
    return askCopy<GroupRecord>(Command::Group, Address::GroupChat, PayloadWriter::pack(jid));
}

quintptr MainEventProcess::groupRecord11AD(const QString &text)
{
    return askFor<quintptr>(Command::GroupRecord11AD, Address::GroupChat,
                            PayloadWriter::pack(text));
}

QString MainEventProcess::fileInviteQuery(const QString &first, const QString &second)
{
    return askFor<QString>(Command::FileInviteQuery, Address::GroupChat,
                           PayloadWriter::pack(first, second));
}

// System-settings plug-in

void MainEventProcess::openSettings(int page)
{
    BusRequest::tell(Command::OpenSettings, Address::SystemSettings, PayloadWriter::pack(page));
}

void MainEventProcess::openHotKeySettings()
{
    BusRequest::post(Command::OpenHotKeySettings, Address::SystemSettings);
}

void MainEventProcess::openClearFilesDialog()
{
    BusRequest::post(Command::OpenClearFilesDialog, Address::SystemSettings);
}

// SIP phone plug-in

void MainEventProcess::openPhoneWindow()
{
    BusRequest::tell(Command::OpenPhoneWindow, Address::SipPhone);
}

void MainEventProcess::acceptPhoneCall(const QString &firstId, const QString &secondId)
{
    BusRequest::tell(Command::AcceptPhoneCall, Address::SipPhone,
                     PayloadWriter::pack(firstId, secondId));
}

void MainEventProcess::refusePhoneCall(const QString &firstId, const QString &secondId)
{
    BusRequest::tell(Command::RefusePhoneCall, Address::SipPhone,
                     PayloadWriter::pack(firstId, secondId));
}

void MainEventProcess::showPhoneCall(const QString &firstId, const QString &secondId)
{
    BusRequest::tell(Command::ShowPhoneCall, Address::SipPhone,
                     PayloadWriter::pack(firstId, secondId));
}

// User-directory plug-in

UserRecord MainEventProcess::currentUser()
{
    return askCopy<UserRecord>(Command::CurrentUser, Address::UserDirectory);
}

QString MainEventProcess::directoryQuery10A6()
{
    return askFor<QString>(Command::DirectoryQuery10A6, Address::UserDirectory);
}

// Other parties

bool MainEventProcess::exitNoticeQuery()
{
    return askFor<bool>(Command::ExitNoticeQuery, Address::ExitNotified);
}

void MainEventProcess::notifyExit()
{
    BusRequest::tell(Command::NotifyExit, Address::ExitNotified);
}

void MainEventProcess::tellSmallBoxSender(const QString &jid)
{
    BusRequest::tell(Command::TellSmallBoxSender, Address::SmallBoxSender,
                     PayloadWriter::pack(jid));
}

int MainEventProcess::senderUnreadCount(const QString &jid)
{
    return askFor<int>(Command::SenderUnreadCount, Address::SmallBoxSender,
                       PayloadWriter::pack(jid));
}

void MainEventProcess::openFileManager()
{
    BusRequest::tell(Command::OpenFileManager, Address::FileManager);
}

void MainEventProcess::showTopic(const QString &text)
{
    BusRequest::tell(Command::ShowTopic, Address::Topic, PayloadWriter::pack(text));
}

void MainEventProcess::broadcastSkin(const SysUIData &skin)
{
    // The record rides along as an attachment, so it lives until the last
    // receiver's copy is gone; the payload carries its address.
    auto *copy = new SysUIData(skin);
    PayloadWriter payload;
    payload.writeAddress(copy);
    auto *event = new BaseEvent(Command::SkinChange, payload.bytes(), QString(),
                                QString::fromLatin1(Address::Shell), {}, true, true);
    event->addAttachment(copy);
    BusRequest::bus()->send(event);
}

// The shell's own log-in cache

QString MainEventProcess::ownJid()
{
    return askFor<QString>(Command::OwnJid, Address::Shell);
}

QString MainEventProcess::logUploadKey()
{
    return askFor<QString>(Command::LogUploadKey, Address::Shell);
}

QString MainEventProcess::logUploadUserId()
{
    return askFor<QString>(Command::LogUploadUserId, Address::Shell);
}
