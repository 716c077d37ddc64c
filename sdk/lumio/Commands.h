#pragma once

// Every command number of the bus, named, with what it carries.
//
// How the bus talks
// -----------------
// An event (BaseEvent) carries a command number, a target address, a source
// address (lumio/Addresses.h) and a payload written with PayloadWriter and read
// with PayloadReader, value by value in the order listed below.
//
// Synchronous (posted = false): EventManager::send() runs the receiver's handler
// before it returns, and the event stays the sender's. A question is always
// synchronous: the receiver answers by calling setData() on the same event with
// a NEW byte array holding the answer's values; the sender reads it after
// send() returns. A payload left untouched counts as "no answer": the shell,
// asking, then uses the default value (false, 0, empty string, null address)
// and logs the miss, so an unloaded or silent plug-in is never fatal; do the
// same when you ask, and treat a null address as "no data". The shell answers
// every question it lists below.
// Posted (posted = true): the event belongs to the queue once sent and is
// delivered when the event loop next turns. Nobody reads an answer back, so the
// questions below give nothing when posted.
//
// Objects by address: a payload slot marked "address of T" is a qint64 holding
// the address of a T in the sender's memory (PayloadWriter::writeAddress,
// PayloadReader::readPointer<T>). It is valid only inside this process and only
// during the synchronous call that carries it: copy the object before your
// handler returns. The shell ignores an address in a posted event; it posts
// one itself only with the object attached to the event (SkinChange), which
// keeps it alive until the last receiver is done. An answer "address of T" is
// an object the answering plug-in keeps alive until the question returns; the
// asker copies it at once.
//
// Kinds: QString, QStringList, int (qint32), bool, double, qint64 (addresses).
// The record types named here are in lumio/*.h (MessageData, VcardInfo,
// RequestData, SysUIData, Records.h).
//
// Each line below says: the receiving party, payload kinds in order, answer.
// "→ shell" targets Address::Shell (an empty target also reaches the shell);
// "shell →" is a request the shell sends to the named plug-in, which that
// plug-in handles or ignores. "from empty source" means the shell sends it with
// an empty source address.
//
// Answering, in a plug-in's customEvent():
//     BaseEvent *event = BaseEvent::cast(qtEvent);
//     if (event && event->command() == Command::IsConnected)
//         event->setData(PayloadWriter::pack(m_connected));
// Asking the shell:
//     BaseEvent ask(Command::OwnJid, {}, QString::fromLatin1(Address::Shell),
//                   myAddress, {}, true, false);
//     bus->send(&ask);
//     const QString jid = PayloadReader(ask.data()).readString();
//
// Numbers 0x2000 to 0x20FF are never used by the shell: they are free for
// private commands between one vendor's own plug-ins. Use a target address, not
// a broadcast, so two vendors' private numbers never meet.

namespace Command {

// Every number the shell sends or handles lies in this range.
inline constexpr int FirstNumber = 0x1000;
inline constexpr int LastNumber = 0x12FF;

inline constexpr int FirstPrivate = 0x2000;
inline constexpr int LastPrivate = 0x20FF;

} // namespace Command

// Commands the shell handles: X(Name, number). The shell's dispatcher has one row
// for each, and only these.
#define LUMIO_SHELL_COMMANDS(X) \
    /* Connection, log-in and presence */ \
    /* → shell: QString (unused); no answer. Log-in done: main window embeds the contact list (asks ContactListWidget), checks for a new version, login signal, disk-space check */ \
    X(LoginCompleted, 0x108C) \
    /* → shell: nothing; no answer. Logged out or change of user */ \
    X(LoggedOut, 0x1172) \
    /* → shell: QString own JID; no answer. Stored; OwnJid answers it */ \
    X(SetOwnJid, 0x108B) \
    /* → shell: bool connected; no answer */ \
    X(ConnectionState, 0x102C) \
    /* → shell: nothing; no answer. Same as ConnectionState(false) */ \
    X(ConnectionLost, 0x1065) \
    /* → shell: bool; no answer. Network gone: main window and tray react */ \
    X(NetworkDisconnected, 0x1090) \
    /* → shell: nothing; no answer. The connection's socket error changed */ \
    X(SocketErrorChanged, 0x108A) \
    /* → shell: nothing; no answer. Another logger took over */ \
    X(LoggerChanged, 0x1094) \
    /* → shell: QString hint; no answer. Log-in hint text */ \
    X(LoginTip, 0x1050) \
    /* → shell: int presence code; no answer. Main window's after-log-in step: saves the code and log-upload credentials, restores its place, starts timers */ \
    X(StartMainWindow, 0x1053) \
    /* → shell: int; no answer. Main window shows and saves presence online */ \
    X(ShowOnline, 0x11E0) \
    /* → shell: bool invisible; no answer. Main window enters or leaves presence invisible */ \
    X(SetInvisible, 0x11DD) \
    /* → shell: nothing; answer: int, the main window's presence (0 before log-in) */ \
    X(MainWindowPresence, 0x11DE) \
    /* → shell: nothing; answer: bool, a state flag of the main window (false before log-in) */ \
    X(MainWindowStateFlag, 0x11DF) \
    /* → shell: int presence code; no answer. Main window stores it */ \
    X(SetPresenceCode, 0x104F) \
    /* → shell: nothing; answer: int, a state value of the main window (0 before log-in) */ \
    X(MainWindowStateValue, 0x1051) \
    /* → shell: nothing; no answer. Main window logs in again */ \
    X(LoginAgain, 0x1272) \
    /* → shell: int mode; no answer. Start the online upgrade check */ \
    X(StartUpgradeCheck, 0x1052) \
    /* → shell: nothing; no answer. Main window must not auto-hide now */ \
    X(NoHide, 0x1118) \
    /* → shell: nothing; no answer. Close the main window if visible. ALSO shell → Contacts: int exit or presence state; no answer */ \
    X(CloseMainWindow, 0x112A) \
    /* → shell: nothing; no answer. Main window shows itself at its docked place */ \
    X(ShowDocked, 0x1207) \
    /* → shell: int unread; no answer. Badge: below 1 hidden, 1..99 the number, above 99 "99+" */ \
    X(UnreadBadge, 0x1208) \
    /* → shell: QString; no answer. Main window's status line */ \
    X(StatusLine, 0x10B4) \
    /* → shell: int; no answer. Hot-key conflict: main window offers the hot-key settings */ \
    X(HotKeyConflict, 0x123F) \
    /* → shell: nothing; no answer. Main window shows received messages */ \
    X(ShowReceivedMessage, 0x109C) \
    /* → shell: nothing; no answer. Main window's screenshot action */ \
    X(ShowScreenshot, 0x109E) \
    /* → shell: nothing; no answer. Hide the app box */ \
    X(HideAppBox, 0x1081) \
    /* Own profile and contacts */ \
    /* → shell: nothing; no answer. Own profile arrived: main window and tray refresh */ \
    X(MyProfileReceived, 0x101B) \
    /* → shell: address of QPixmap; no answer. Own photo */ \
    X(SetPhoto, 0x10E7) \
    /* → shell: QString JID; no answer. Friend deleted: its unread messages and flashing go */ \
    X(FriendDeleted, 0x1006) \
    /* → shell: QString JID, address of VcardInfo; no answer. A contact's card changed */ \
    X(FriendInfo, 0x100A) \
    /* → shell: QString; no answer */ \
    X(FriendInfoReceived, 0x10DD) \
    /* → shell: QString JID; no answer. A stranger's details changed */ \
    X(UpdateStranger, 0x1014) \
    /* → shell: QString JID; no answer. Contact blocked: its unread messages and flashing go */ \
    X(ContactBlocked, 0x119A) \
    /* → shell: QString JID, QString picture file path; no answer */ \
    X(PictureReceived, 0x100B) \
    /* → shell: address of QList<RequestData>; no answer */ \
    X(RequestList, 0x118F) \
    /* → shell: address of QMap<QString,QString>; no answer. Confirmed friend labels */ \
    X(ConfirmedLabels, 0x10E9) \
    /* → shell: address of QMap<QString,QStringList>, address of QMap<QString,QString>; no answer */ \
    X(UnconfirmedLabels, 0x1059) \
    /* → shell: QString, QString, QString, bool; no answer */ \
    X(LabelRequestWithoutName, 0x10F5) \
    /* → shell: QString, QString, QString, bool; no answer */ \
    X(LabelRequest, 0x10F6) \
    /* → shell: QString sender JID, QString label name, QString message id, bool; no answer. Friend-label pop-up */ \
    X(ShowLabelPopup, 0x1080) \
    /* → shell: QString image URL, int size, QString JID, QString account; answer: QString local head-image path */ \
    X(HeadImagePath, 0x107F) \
    /* → shell: QString image URL, QString JID, int width, int height, address of QPixmap; answer: QString saved path (empty on failure) */ \
    X(SaveHeadImage, 0x10F7) \
    /* Messages and notifications */ \
    /* → shell: address of MessageData; no answer. A system message */ \
    X(SystemMessage, 0x1037) \
    /* → shell: QString, address of MessageData; no answer. Add to the unread-message box */ \
    X(AddToMessageBox, 0x1064) \
    /* → shell: QString sender JID, address of MessageData; no answer. Tray flashes, message box records it */ \
    X(MessageArrived, 0x10C2) \
    /* → shell: address of MessageData; no answer. Tray flashes for the sender (second of the four leading strings) */ \
    X(FlashForMessage, 0x125A) \
    /* → shell: QString JID, QString time; no answer. Tray flashes for a notice message */ \
    X(NoticeWithTime, 0x11F7) \
    /* → shell: address of MessageData; no answer. Audio/video invitation box */ \
    X(AudioVideoInvitation, 0x1142) \
    /* → shell: QString JID; no answer. Close the audio/video invitation for that JID */ \
    X(CloseAudioVideoInvitation, 0x1143) \
    /* → shell: QString JID; no answer. Close the phone invitation for that JID */ \
    X(ClosePhoneInvitation, 0x1144) \
    /* → shell: QString; no answer. Close the file invitation box */ \
    X(CloseFileInvitation, 0x1145) \
    /* → shell: QString JID, address of QList<NoticeRecord>; no answer. Tray notice from a list */ \
    X(NoticeFromList, 0x1219) \
    /* → shell: QString JID, QString (unused), address of NoticeRecord; no answer. Tray notice */ \
    X(NoticeFromRecord, 0x1217) \
    /* → shell: QString JID, QString message id; no answer. Read: that message, else all of the JID, else all (both empty) */ \
    X(MessagesRead, 0x1235) \
    /* → shell: QString JID; no answer. Remove the sender from the message box and tray */ \
    X(RemoveSender, 0x11A2) \
    /* → shell: QString JID; no answer. Tray stops flashing for the JID */ \
    X(StopFlashing, 0x11BF) \
    /* → shell: int count; no answer. Message box's count */ \
    X(MessageBoxCount, 0x105F) \
    /* → shell: nothing; answer: bool, whether the message box is visible */ \
    X(IsMessageBoxVisible, 0x1063) \
    /* → shell: nothing; answer: bool. A second number for IsMessageBoxVisible */ \
    X(IsMessageBoxVisibleAlt, 0x117B) \
    /* → shell: QString, QString, QString, QString, bool; no answer. Update a message-box entry */ \
    X(UpdateMessageBoxEntry, 0x1066) \
    /* → shell: QString; no answer. Store the log-upload key (LogUploadKey answers it) */ \
    X(SetLogUploadKey, 0x1096) \
    /* → shell: QString; no answer. Store the log-upload user id (LogUploadUserId answers it) */ \
    X(SetLogUploadUserId, 0x1097) \
    /* → shell: int; no answer. Missed calls */ \
    X(MissedCallCount, 0x125C) \
    /* → shell: nothing; no answer. Missed calls back to 0 */ \
    X(ClearMissedCallCount, 0x125D) \
    /* → shell: int; no answer. Phone registration state */ \
    X(RegisterState, 0x1261) \
    /* → shell: bool; no answer. Phone user id available */ \
    X(RegisterUserIdAvailable, 0x1262) \
    /* Tray */ \
    /* → shell: nothing; no answer. The user's mobile client logged in */ \
    X(MobileLoggedIn, 0x1003) \
    /* → shell: nothing; no answer. The user's mobile client went off-line */ \
    X(MobileLoggedOut, 0x1002) \
    /* → shell: nothing; no answer. Tray installs its log-in menu */ \
    X(TrayOfflineMenu, 0x104E) \
    /* → shell: nothing; no answer */ \
    X(HideTrayIcon, 0x117C) \
    /* → shell: nothing; no answer. Tray manager hides */ \
    X(TrayHide, 0x1082) \
    /* → shell: nothing; no answer. Log-in started: tray animation */ \
    X(LoginStarted, 0x10B5) \
    /* → shell: nothing; no answer. A second number for LoginStarted */ \
    X(LoginStartedAlt, 0x105D) \
    /* → shell: nothing; no answer. Log-in finished: tray stops its animation */ \
    X(LoginFinished, 0x10B6) \
    /* → shell: nothing; no answer. A second number for LoginFinished */ \
    X(LoginFinishedAlt, 0x105E) \
    /* → shell: nothing; no answer. Tray shows the log-in time-out message */ \
    X(LoginTimedOut, 0x105C) \
    /* → shell: nothing; no answer. Tray shows the main window */ \
    X(TrayShowMainWindow, 0x1088) \
    /* Close confirmation */ \
    /* → shell: QString; no answer. Close confirmation shows the text */ \
    X(ShowCloseConfirmation, 0x1087) \
    /* → shell: QString; no answer. Close confirmation resets its choices */ \
    X(ResetCloseConfirmation, 0x1021) \
    /* Skins and settings */ \
    /* → shell: address of SysUIData; no answer. Apply the skin. ALSO shell → broadcast, posted, address of SysUIData kept alive as the event's attachment: skin sliders moved */ \
    X(SkinChange, 0x1237) \
    /* → shell: nothing; no answer. Show the skin window in front */ \
    X(ShowSkinWindow, 0x1239) \
    /* → shell: QString account; no answer. Load the account's preferences, apply the skin */ \
    X(LoadAccountSettings, 0x1067) \
    /* → shell: QString account; no answer. Re-read common data and the account's preferences */ \
    X(ReloadAccountSettings, 0x107E) \
    /* → shell: nothing; answer: int, the skin's background opacity */ \
    X(SkinOpacity, 0x1238) \
    /* → shell: address of SysUIData; no answer. Store as the current skin */ \
    X(SetCurrentSkin, 0x123B) \
    /* → shell: nothing; answer: int (always 0) */ \
    X(ReservedSettingsValue, 0x1199) \
    /* → shell: nothing; answer: QString message file folder */ \
    X(MessageFilePath, 0x10B0) \
    /* → shell: nothing; answer: QString file transfer folder */ \
    X(TransferPath, 0x107C) \
    /* → shell: nothing; answer: QString allow-shake setting */ \
    X(AllowShake, 0x106B) \
    /* → shell: nothing; answer: QString auto-show-message setting */ \
    X(AutoShowMessage, 0x1072) \
    /* → shell: nothing; answer: QString close-voice setting */ \
    X(CloseVoice, 0x1073) \
    /* → shell: nothing; answer: QString auto-hide setting */ \
    X(AutoHide, 0x107D) \
    /* → shell: nothing; answer: QString auto-reply-on setting */ \
    X(IsAutoReply, 0x1070) \
    /* → shell: nothing; answer: QString auto-reply text */ \
    X(AutoReplyText, 0x1071) \
    /* → shell: nothing; answer: QStringList quick replies */ \
    X(FastReplyList, 0x1074) \
    /* → shell: nothing; answer: QString send-message key */ \
    X(SendMessageKey, 0x106D) \
    /* → shell: nothing; answer: int head type */ \
    X(HeadType, 0x1068) \
    /* → shell: nothing; answer: int list head type */ \
    X(ListHeadType, 0x106A) \
    /* → shell: nothing; answer: int need-hide setting */ \
    X(NeedHide, 0x1069) \
    /* → shell: nothing; answer: QString family, double size (12 when unset), bool bold, bool italic, bool underline, QString colour name (empty when unset) */ \
    X(ChatFont, 0x106C) \
    /* → shell: QString; no answer. Settings store only */ \
    X(SetSendMessageKey, 0x106E) \
    /* → shell: QString; no answer */ \
    X(SetSnapHide, 0x106F) \
    /* → shell: QString; no answer */ \
    X(SetFastReplyText, 0x1075) \
    /* → shell: QStringList; no answer */ \
    X(SetFastReplyList, 0x1076) \
    /* → shell: QString; no answer */ \
    X(SetAutoReplyText, 0x1077) \
    /* → shell: QStringList; no answer */ \
    X(SetAutoReplyList, 0x1078) \
    /* → shell: QString; no answer */ \
    X(SetBusyAutoReplyText, 0x1079) \
    /* → shell: QStringList; no answer */ \
    X(SetBusyAutoReplyList, 0x107A) \
    /* → shell: bool; no answer. Message synchronisation choice, saved in the account's config.ini */ \
    X(SetMessageSync, 0x122F) \
    /* Log-in cache and subscriptions */ \
    /* → shell: nothing; answer: QString own JID (set by SetOwnJid). The shell asks it too */ \
    X(OwnJid, 0x1047) \
    /* → shell: nothing; answer: QString log-upload user id. The shell asks it too */ \
    X(LogUploadUserId, 0x10AB) \
    /* → shell: nothing; answer: QString log-upload key. The shell asks it too */ \
    X(LogUploadKey, 0x10AA) \
    /* → shell: nothing; answer: QString cache text C */ \
    X(CacheTextC, 0x10A5) \
    /* → shell: nothing; answer: QString cache text D */ \
    X(CacheTextD, 0x10A4) \
    /* → shell: QString; no answer. Stores cache text D, then posts the same to MainPanel from the shell */ \
    X(SetCacheTextD, 0x1098) \
    /* → shell: QString; no answer. Stores cache text C, then posts the same to MainPanel from the shell */ \
    X(SetCacheTextC, 0x1099) \
    /* → shell: any payload; no answer. Posted on to Chat from the shell unchanged */ \
    X(ForwardToChat, 0x11FA) \
    /* → shell: bool; no answer. Stored only */ \
    X(SetCacheFlag, 0x109A) \
    /* → shell: QString x5; no answer. The account record (AccountRecord answers it) */ \
    X(SetAccountRecord, 0x109B) \
    /* → shell: QString x5; no answer. A second number for SetAccountRecord */ \
    X(SetAccountRecordAlt, 0x104B) \
    /* → shell: nothing; answer: QString x5, the account record after the cloud account query */ \
    X(AccountRecord, 0x10AC) \
    /* → shell: nothing; answer: int (always 0) */ \
    X(ReservedCacheValue, 0x105A) \
    /* → shell: QString sender, int kind, QString subscriber; answer: bool added */ \
    X(Subscribe, 0x1196) \
    /* → shell: QString sender, int kind, QString subscriber; answer: bool removed */ \
    X(Unsubscribe, 0x1197) \
    /* → shell: QString sender, int kind; answer: address of QStringList subscribers, owned by the event */ \
    X(Subscribers, 0x1198) \
    /* → shell: payload read, nothing else happens; no answer */ \
    X(Ignored10D5, 0x10D5) \
    X(Ignored1179, 0x1179) \
    X(Ignored117A, 0x117A) \
    X(Ignored10BE, 0x10BE) \
    X(Ignored10CD, 0x10CD)

// Requests the shell sends to plug-ins: X(Name, number). A plug-in answers the
// ones addressed to it; the shell copes when nobody does.
#define LUMIO_PLUGIN_REQUESTS(X) \
    /* Login */ \
    /* shell → Login: QString user id, QString quick-launch value; no answer. Show the login window (once at start-up) */ \
    X(ShowLoginWindow, 0x1055) \
    /* shell → Login, posted: nothing. Show the login window again (tray) */ \
    X(ShowLoginWindowAgain, 0x10A8) \
    /* shell → Login: nothing; no answer. Quit the login window */ \
    X(QuitLoginWindow, 0x10A9) \
    /* shell → Login: nothing; no answer. A presence was chosen in the main window's menu */ \
    X(PresenceChosen, 0x10AD) \
    /* shell → Login and Contacts: QString presence, QString status text, int code; no answer */ \
    X(ChoosePresence, 0x10AE) \
    /* shell → Login: nothing; answer: address of the log-in record (opaque to the shell) */ \
    X(LoginRecord, 0x1083) \
    /* shell → Login: bool prompting; no answer. Result of the upgrade check */ \
    X(UpgradeCheckResult, 0x1004) \
    /* shell → Login: nothing; no answer. Exit or change of user */ \
    X(LoginExit, 0x126A) \
    /* Chat */ \
    /* shell → Chat: bool open, QString JID; no answer. Open (or ignore) a contact's chat */ \
    X(OpenChatWindow, 0x1060) \
    /* shell → Chat: QString, bool; no answer. Open the message manager */ \
    X(OpenMessageManager, 0x10C5) \
    /* shell → Chat: nothing; no answer. Start a screenshot */ \
    X(StartScreenshot, 0x10C8) \
    /* shell → Chat: nothing; answer: bool, chats still unfinished (asked at exit) */ \
    X(HasUnfinishedChats, 0x10C9) \
    /* shell → Chat, from empty source: QString JID, QString message id; no answer. Messages read */ \
    X(MarkMessagesRead, 0x10C3) \
    /* shell → Chat, from empty source: QString JID; answer: int unread left */ \
    X(RemainingUnreadCount, 0x10C6) \
    /* shell → Chat, from empty source: nothing; answer: address of QMap<QString,QList<MessageData>> unread messages by JID */ \
    X(UnreadMessages, 0x10CA) \
    /* shell → Chat, from empty source: QString; answer: QString HTML */ \
    X(MessageHtml, 0x10CC) \
    /* shell → Chat: int; no answer. Answer to an audio/video invitation */ \
    X(AnswerCallInvite, 0x1146) \
    /* shell → Chat: int; no answer. Audio/video invitation accepted */ \
    X(AcceptVoiceCall, 0x1147) \
    /* shell → Chat: bool accept, QString JID; no answer. File invitation answered */ \
    X(AnswerFileInvite, 0x11F6) \
    /* shell → Chat: QString JID; no answer. File invitation closed */ \
    X(CloseFileInvite, 0x122B) \
    /* shell → Chat: QString JID, address of MessageData, QString answer; no answer */ \
    X(AnswerFileOffer, 0x1236) \
    /* shell → Chat: QString path; no answer. Show an image */ \
    X(ShowImage, 0x11FC) \
    /* shell → Chat: QString, QString, QString; no answer. Download a picture */ \
    X(DownloadPicture, 0x11FE) \
    /* shell → Chat, ContactCard, GroupChat, MainPanel: nothing; no answer. Everyone off-line */ \
    X(SetAllOffline, 0x1151) \
    /* shell → Chat, ContactCard, MainPanel: nothing; no answer. Back on-line */ \
    X(AnnounceOnline, 0x1152) \
    /* Contacts */ \
    /* shell → Contacts: nothing; answer: bool, whether the user is connected */ \
    X(IsConnected, 0x1048) \
    /* shell → Contacts: nothing; answer: QString user name */ \
    X(UserName, 0x1114) \
    /* shell → Contacts: nothing; answer: QString */ \
    X(ContactsQuery1163, 0x1163) \
    /* shell → Contacts: nothing; no answer */ \
    X(ContactsNotice1129, 0x1129) \
    /* shell → Contacts: QString; no answer. Find a friend */ \
    X(FindFriend, 0x1135) \
    /* shell → Contacts: int; no answer */ \
    X(ContactsNotice1141, 0x1141) \
    /* shell → Contacts: bool; no answer */ \
    X(ContactsFlag10DF, 0x10DF) \
    /* shell → Contacts: bool; no answer. Call invitation refused */ \
    X(RefuseCallInvite, 0x11FB) \
    /* shell → Contacts: nothing; no answer. Presence menu used */ \
    X(PresenceMenuNotice, 0x10E6) \
    /* shell → Contacts: QString signature; no answer. Also shell → OwnProfile with no payload */ \
    X(SetSignature, 0x1125) \
    /* shell → Contacts: QString JID; no answer. The close confirmation's choice: delete the friend */ \
    X(DeleteFriend, 0x1162) \
    /* shell → Contacts: QString message id, QString friend JID; no answer. Friend label read */ \
    X(MarkLabelRead, 0x122C) \
    /* shell → Contacts, posted, source GroupChat: QString message id, QString state, QString friend JID */ \
    X(MarkAdvancedLabel, 0x127F) \
    /* shell → Contacts, from empty source: QString JID; no answer. Look the contact up */ \
    X(LookUpContact, 0x1044) \
    /* shell → Contacts, from empty source: address of the label answer; no answer. Friend label accepted */ \
    X(AcceptLabel, 0x10F1) \
    /* shell → Contacts, from empty source: nothing; no answer. Label acceptance confirmed */ \
    X(LabelAccepted, 0x10F2) \
    /* shell → Contacts, from empty source: address of the label answer; no answer. Friend label refused */ \
    X(RefuseLabel, 0x10F3) \
    /* shell → Contacts, from empty source: int; no answer */ \
    X(ContactsNotice10F9, 0x10F9) \
    /* MainPanel */ \
    /* shell → MainPanel: nothing; answer: address of the contact-list QWidget to embed (the shell reparents it) */ \
    X(ContactListWidget, 0x1086) \
    /* shell → MainPanel: nothing; no answer. Open the add-friend window */ \
    X(OpenAddFriendWindow, 0x10B9) \
    /* shell → MainPanel: QString; answer: bool */ \
    X(PanelQuery1084, 0x1084) \
    /* shell → MainPanel: QString, int, QString, QString, QString, QString; no answer */ \
    X(PanelNotice10BB, 0x10BB) \
    /* shell → MainPanel: QString JID; no answer. Tray stopped flashing for the contact */ \
    X(FlashingStopped, 0x10D3) \
    /* shell → MainPanel: QString, int, int, int, bool; no answer. Head-image timer */ \
    X(HeadImageHover, 0x10D6) \
    /* shell → MainPanel, posted, from empty source: nothing. Mouse over the main window */ \
    X(MouseHover, 0x10D7) \
    /* shell → MainPanel, posted: double. Main window's shadow */ \
    X(SetShadow, 0x1244) \
    /* shell → MainPanel: nothing; answer: bool */ \
    X(PanelQuery1206, 0x1206) \
    /* shell → MainPanel: nothing; answer: address of QStringList expanded groups (exit, change of user) */ \
    X(ExpandedGroups, 0x11BD) \
    /* shell → MainPanel: nothing; no answer. Disconnected */ \
    X(PanelDisconnect, 0x11BE) \
    /* shell → MainPanel, from empty source: QString, QString, QString, bool; no answer */ \
    X(PanelNotice1183, 0x1183) \
    /* shell → MainPanel, from empty source: QString, QString; no answer */ \
    X(PanelNotice1184, 0x1184) \
    /* shell → MainPanel, posted, source Chat: QString JID. Show the contact's card */ \
    X(ShowCardInPanel, 0x10E2) \
    /* ContactCard */ \
    /* shell → ContactCard, from empty source: QString JID; answer: address of VcardInfo */ \
    X(ContactCard, 0x1043) \
    /* shell → ContactCard, from empty source: QString JID; answer: bool known */ \
    X(KnowsContact, 0x113B) \
    /* shell → ContactCard, from empty source: QString; answer: bool */ \
    X(CardQuery118D, 0x118D) \
    /* shell → ContactCard: QString JID; answer: bool */ \
    X(IsPublicAccount, 0x111C) \
    /* shell → ContactCard: QString JID; answer: address of PublicAccountRecord */ \
    X(PublicAccount, 0x1226) \
    /* shell → ContactCard: nothing; answer: address of a record (opaque to the shell) */ \
    X(CardRecord115B, 0x115B) \
    /* OwnProfile */ \
    /* shell → OwnProfile, posted or synchronous: nothing; no answer. Show my profile */ \
    X(ShowMyProfile, 0x10E4) \
    /* shell → OwnProfile: nothing; no answer. Show a card */ \
    X(ShowCard, 0x10E1) \
    /* shell → OwnProfile, posted: nothing. Open the profile settings */ \
    X(OpenProfileSettings, 0x10F8) \
    /* OwnAccount */ \
    /* shell → OwnAccount: nothing; answer: address of VcardInfo, the user's own account */ \
    X(OwnAccount, 0x1127) \
    /* shell → OwnAccount: int presence code; no answer. Presence chosen */ \
    X(SetPresence, 0x10E5) \
    /* shell → OwnAccount: int presence code; no answer */ \
    X(TellPresence, 0x1191) \
    /* shell → OwnAccount: nothing; answer: bool */ \
    X(AccountQuery10FB, 0x10FB) \
    /* GroupChat */ \
    /* shell → GroupChat: nothing; answer: bool (asked at exit and change of user) */ \
    X(GroupChatExitQuery, 0x110A) \
    /* shell → GroupChat: bool; no answer (told at exit and change of user) */ \
    X(GroupChatExit, 0x110B) \
    /* shell → GroupChat: QString group JID; answer: address of GroupRecord */ \
    X(Group, 0x11A9) \
    /* shell → GroupChat: QString; answer: address of a record (opaque to the shell) */ \
    X(GroupRecord11AD, 0x11AD) \
    /* shell → GroupChat: QString, QString; answer: QString (file invitation box) */ \
    X(FileInviteQuery, 0x11D1) \
    /* SystemSettings */ \
    /* shell → SystemSettings: int page; no answer. Open the settings dialog on a page */ \
    X(OpenSettings, 0x1111) \
    /* shell → SystemSettings, posted: nothing. Open the hot-key settings */ \
    X(OpenHotKeySettings, 0x10A1) \
    /* shell → SystemSettings, posted: nothing. Open the clear-files dialog */ \
    X(OpenClearFilesDialog, 0x1240) \
    /* SipPhone */ \
    /* shell → SipPhone: nothing; no answer. Open the phone window */ \
    X(OpenPhoneWindow, 0x124A) \
    /* shell → SipPhone: QString, QString; no answer. Phone invitation accepted */ \
    X(AcceptPhoneCall, 0x125E) \
    /* shell → SipPhone: QString, QString; no answer. Phone invitation refused */ \
    X(RefusePhoneCall, 0x125F) \
    /* shell → SipPhone: QString, QString; no answer. Show the call (invitation box, tray) */ \
    X(ShowPhoneCall, 0x1260) \
    /* UserDirectory */ \
    /* shell → UserDirectory: nothing; answer: address of UserRecord, the current user (its folder holds config.ini and Log.ini) */ \
    X(CurrentUser, 0x113E) \
    /* shell → UserDirectory: nothing; answer: QString */ \
    X(DirectoryQuery10A6, 0x10A6) \
    /* Other parties */ \
    /* shell → ExitNotified: nothing; answer: bool */ \
    X(ExitNoticeQuery, 0x1254) \
    /* shell → ExitNotified: nothing; no answer. Exit, change of user or disconnect */ \
    X(NotifyExit, 0x1266) \
    /* shell → SmallBoxSender: QString JID; no answer */ \
    X(TellSmallBoxSender, 0x111A) \
    /* shell → SmallBoxSender: QString JID; answer: int unread */ \
    X(SenderUnreadCount, 0x111B) \
    /* shell → FileManager: nothing; no answer. Show the file manager */ \
    X(OpenFileManager, 0x126C) \
    /* shell → Topic: QString; no answer. Show the topic window */ \
    X(ShowTopic, 0x1119)

namespace Command {

#define LUMIO_COMMAND_CONSTANT(name, number) inline constexpr int name = number;
LUMIO_SHELL_COMMANDS(LUMIO_COMMAND_CONSTANT)
LUMIO_PLUGIN_REQUESTS(LUMIO_COMMAND_CONSTANT)
#undef LUMIO_COMMAND_CONSTANT

namespace detail {

#define LUMIO_COMMAND_NUMBER(name, number) number,
inline constexpr int AllNumbers[] = {LUMIO_SHELL_COMMANDS(LUMIO_COMMAND_NUMBER)
                                         LUMIO_PLUGIN_REQUESTS(LUMIO_COMMAND_NUMBER)};
#undef LUMIO_COMMAND_NUMBER

constexpr bool eachNumberOnce()
{
    constexpr int count = sizeof(AllNumbers) / sizeof(AllNumbers[0]);
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j)
            if (AllNumbers[i] == AllNumbers[j])
                return false;
    return true;
}

} // namespace detail

// A number used in both directions is listed once, under the shell's commands.
static_assert(detail::eachNumberOnce(), "a command number is listed twice");

} // namespace Command
