#pragma once

#include <lumio/MessageData.h>
#include <lumio/Records.h>
#include <lumio/SysUIData.h>
#include <lumio/VcardInfo.h>

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

class QWidget;

// The shell's requests to the plug-ins, one function per request. A question
// nobody answers gives the default value: false, 0, empty, a blank record.
class MainEventProcess : public QObject
{
    Q_OBJECT
public:
    using UnreadMessages = QMap<QString, QList<MessageData>>;

    // Login plug-in
    static void showLoginWindow(const QString &userId, const QString &quickLaunch);
    static void showLoginWindowAgain();
    static void quitLoginWindow();
    static void presenceChosen();
    // Told to the contacts plug-in as well.
    static void choosePresence(const QString &presence, const QString &statusText, int code);
    static quintptr loginRecordAddress();
    static void reportUpgradeCheck(bool prompting);
    static void loginExit();

    // Chat plug-in
    static void openChatWindow(bool open, const QString &jid);
    static void openMessageManager(const QString &text, bool flag);
    static void startScreenshot();
    static bool hasUnfinishedChats();
    static void markMessagesRead(const QString &jid, const QString &id);
    static int remainingUnreadCount(const QString &jid);
    static UnreadMessages unreadMessages();
    static QString messageHtml(const QString &fragment);
    static void answerCallInvite(int value);
    static void acceptVoiceCall(int value);
    static void answerFileInvite(bool accept, const QString &jid);
    static void closeFileInvite(const QString &jid);
    static void answerFileOffer(const QString &jid, const MessageData *message,
                                const QString &answer);
    static void showImage(const QString &path);
    static void downloadPicture(const QString &first, const QString &second, const QString &third);
    // Also to the contact-card, group-chat and main-panel plug-ins.
    static void setAllOffline();
    // Also to the contact-card and main-panel plug-ins.
    static void announceOnline();

    // Contacts plug-in
    static bool isConnected();
    static QString userName();
    static QString contactsQuery1163();
    static void contactsNotice1129();
    static void findFriend(const QString &text);
    static void contactsNotice1141(int value);
    static void contactsFlag10DF(bool flag);
    static void refuseCallInvite(bool flag);
    static void presenceMenuNotice();
    // The own-profile plug-in hears of it too, without the text.
    static void setSignature(const QString &signature);
    static void reportExitState(int state);
    static void deleteFriend(const QString &jid);
    static void markLabelRead(const QString &messageId, const QString &friendJid);
    static void markAdvancedLabel(const QString &messageId, const QString &state,
                                  const QString &friendJid);
    static void lookUpContact(const QString &jid);
    static void acceptLabel(const void *labelAnswer);
    static void confirmLabelAccepted();
    static void refuseLabel(const void *labelAnswer);
    static void contactsNotice10F9(int value);

    // Main-panel plug-in
    static QWidget *contactListWidget();
    static void openAddFriendWindow();
    static bool panelQuery1084(const QString &text);
    static void panelNotice10BB(const QString &first, int value, const QString &second,
                                const QString &third, const QString &fourth, const QString &fifth);
    static void stopFlashing(const QString &jid);
    static void reportHeadImageHover(const QString &text, int first, int second, int third,
                                     bool flag);
    static void reportMouseHover();
    static void setShadow(double value);
    static bool panelQuery1206();
    static QStringList expandedGroups();
    static void panelDisconnect();
    static void panelNotice1183(const QString &first, const QString &second, const QString &third,
                                bool flag);
    static void panelNotice1184(const QString &first, const QString &second);
    static void showCardInPanel(const QString &jid);

    // Contact-card plug-in
    static VcardInfo contactCard(const QString &jid);
    static bool knowsContact(const QString &jid);
    static bool cardQuery118D(const QString &text);
    static bool isPublicAccount(const QString &jid);
    static PublicAccountRecord publicAccount(const QString &jid);
    static quintptr cardRecord115B();

    // Own-profile plug-in
    static void showMyProfile();
    static void showMyProfileNow();
    static void showCard();
    static void openProfileSettings();

    // Own-account plug-in
    static VcardInfo ownAccount();
    static void setPresence(int code);
    static void tellPresence(int code);
    static bool accountQuery10FB();

    // Group-chat plug-in
    static bool queryGroupChatExit();
    static void tellGroupChatExit(bool flag);
    static GroupRecord group(const QString &jid);
    static quintptr groupRecord11AD(const QString &text);
    static QString fileInviteQuery(const QString &first, const QString &second);

    // System-settings plug-in
    static void openSettings(int page);
    static void openHotKeySettings();
    static void openClearFilesDialog();

    // SIP phone plug-in
    static void openPhoneWindow();
    static void acceptPhoneCall(const QString &firstId, const QString &secondId);
    static void refusePhoneCall(const QString &firstId, const QString &secondId);
    static void showPhoneCall(const QString &firstId, const QString &secondId);

    // User-directory plug-in
    static UserRecord currentUser();
    static QString directoryQuery10A6();

    // Parties told of exit, asked about small-box senders, file manager, topic
    static bool exitNoticeQuery();
    static void notifyExit();
    static void tellSmallBoxSender(const QString &jid);
    static int senderUnreadCount(const QString &jid);
    static void openFileManager();
    static void showTopic(const QString &text);

    // Every plug-in
    static void broadcastSkin(const SysUIData &skin);

    // The shell's own log-in cache
    static QString ownJid();
    static QString logUploadKey();
    static QString logUploadUserId();
};
