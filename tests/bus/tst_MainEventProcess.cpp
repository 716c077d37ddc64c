#include "BusParty.h"
#include "LogCapture.h"
#include "bus/BusRequest.h"
#include "bus/EventRouter.h"
#include "bus/MainEventProcess.h"
#include "bus/PluginManager.h"

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/Commands.h>
#include <lumio/PayloadReader.h>
#include <lumio/PayloadWriter.h>

#include <QWidget>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

QString noAnswerTo(int command)
{
    return QStringLiteral("no answer to command 0x") + QString::number(command, 16);
}

const QString Shell = QString::fromLatin1(Address::Shell);

} // namespace

class tst_MainEventProcess : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void argumentsTravelInOrder();
    void sourcesAndTargets();
    void postedRequestsWaitForTheEventLoop();
    void fanOutReachesEveryParty();
    void questionsDecodeTheAnswer();
    void missingAnswersGiveDefaults();
    void recordAnswersAreCopies();
    void containerAnswers();

private:
    BusParty *party(const char *address);

    std::unique_ptr<PluginManager> m_plugins;
    std::unique_ptr<EventRouter> m_router;
    std::vector<std::unique_ptr<BusParty>> m_parties;
};

BusParty *tst_MainEventProcess::party(const char *address)
{
    m_parties.push_back(std::make_unique<BusParty>(address));
    m_plugins->addPlugin(m_parties.back().get(), QStringLiteral("test"));
    return m_parties.back().get();
}

void tst_MainEventProcess::init()
{
    m_plugins = std::make_unique<PluginManager>();
    m_router = std::make_unique<EventRouter>(m_plugins.get());
    BusRequest::setBus(m_router.get());
}

void tst_MainEventProcess::cleanup()
{
    BusRequest::setBus(nullptr);
    m_router.reset();
    m_plugins.reset();
    m_parties.clear();
}

void tst_MainEventProcess::argumentsTravelInOrder()
{
    BusParty *chat = party(Address::Chat);
    BusParty *panel = party(Address::MainPanel);
    BusParty *contacts = party(Address::Contacts);

    // Opening a chat and the screenshot request are read by the tray, unread-box and
    // main window tests from the real callers.
    MessageData message;
    MainEventProcess::answerFileOffer(QStringLiteral("bob@lumio"), &message,
                                      QStringLiteral("Save"));
    {
        PayloadReader r(chat->seen.last().data);
        QCOMPARE(r.readString(), QStringLiteral("bob@lumio"));
        QCOMPARE(r.readPointer<MessageData>(), &message);
        QCOMPARE(r.readString(), QStringLiteral("Save"));
        QVERIFY(r.ok() && r.atEnd());
    }

    MainEventProcess::reportHeadImageHover(QStringLiteral("head"), 1, -2, 0x7fffffff, true);
    {
        PayloadReader r(panel->seen.last().data);
        QCOMPARE(panel->seen.last().command, Command::HeadImageHover);
        QCOMPARE(r.readString(), QStringLiteral("head"));
        QCOMPARE(r.readInt(), 1);
        QCOMPARE(r.readInt(), -2);
        QCOMPARE(r.readInt(), 0x7fffffff);
        QCOMPARE(r.readBool(), true);
        QVERIFY(r.ok() && r.atEnd());
    }

    const QStringList labelAnswer{QStringLiteral("add"), QStringLiteral("alice@lumio")};
    MainEventProcess::acceptLabel(&labelAnswer);
    MainEventProcess::refuseLabel(nullptr);
    QCOMPARE(contacts->seen.size(), 2);
    QCOMPARE(PayloadReader(contacts->seen[0].data).readPointer<const QStringList>(), &labelAnswer);
    QCOMPARE(contacts->seen[0].data.size(), qsizetype(8));
    QCOMPARE(PayloadReader(contacts->seen[1].data).readAddress(), qint64(0));

    for (const BusParty *p : {chat, panel})
        for (const Seen &seen : p->seen)
            QVERIFY(!seen.posted && seen.source == Shell && seen.target == p->pluginId());
}

void tst_MainEventProcess::sourcesAndTargets()
{
    BusParty *contacts = party(Address::Contacts);
    BusParty *chat = party(Address::Chat);
    BusParty *panel = party(Address::MainPanel);
    BusParty *groupChat = party(Address::GroupChat);
    BusParty *settings = party(Address::SystemSettings);

    MainEventProcess::deleteFriend(QStringLiteral("x@lumio"));
    MainEventProcess::lookUpContact(QStringLiteral("y@lumio"));
    QCOMPARE(contacts->seen.size(), 2);
    QCOMPARE(contacts->seen[0].source, Shell);
    QVERIFY(contacts->seen[1].source.isEmpty());
    QCOMPARE(PayloadReader(contacts->seen[1].data).readString(), QStringLiteral("y@lumio"));

    MainEventProcess::markMessagesRead(QStringLiteral("y@lumio"), QStringLiteral("m1"));
    MainEventProcess::panelNotice1184(QStringLiteral("p"), QStringLiteral("q"));
    QVERIFY(chat->seen.last().source.isEmpty());
    QVERIFY(panel->seen.last().source.isEmpty());

    // These two addresses differ only in their last four characters.
    MainEventProcess::openSettings(3);
    MainEventProcess::tellGroupChatExit(true);
    QCOMPARE(settings->seen.size(), 1);
    QCOMPARE(settings->seen[0].command, Command::OpenSettings);
    QCOMPARE(PayloadReader(settings->seen[0].data).readInt(), 3);
    QCOMPARE(groupChat->seen.size(), 1);
    QCOMPARE(groupChat->seen[0].command, Command::GroupChatExit);

    MainEventProcess::markAdvancedLabel(QStringLiteral("m2"), QStringLiteral("read"),
                                        QStringLiteral("z@lumio"));
    MainEventProcess::showCardInPanel(QStringLiteral("card@lumio"));
    MainEventProcess::reportMouseHover();
    deliverPosted();

    const Seen label = contacts->seen.last();
    QCOMPARE(label.command, Command::MarkAdvancedLabel);
    QCOMPARE(label.source, QString::fromLatin1(Address::GroupChat));
    QVERIFY(label.posted);
    {
        PayloadReader r(label.data);
        QCOMPARE(r.readString(), QStringLiteral("m2"));
        QCOMPARE(r.readString(), QStringLiteral("read"));
        QCOMPARE(r.readString(), QStringLiteral("z@lumio"));
        QVERIFY(r.ok() && r.atEnd());
    }
    QCOMPARE(groupChat->seen.size(), 1);

    QCOMPARE(panel->seen.size(), 3);
    QCOMPARE(panel->seen[1].command, Command::ShowCardInPanel);
    QCOMPARE(panel->seen[1].source, QString::fromLatin1(Address::Chat));
    QCOMPARE(PayloadReader(panel->seen[1].data).readString(), QStringLiteral("card@lumio"));
    QCOMPARE(panel->seen[2].command, Command::MouseHover);
    QVERIFY(panel->seen[2].source.isEmpty());
    QVERIFY(panel->seen[2].posted);
    QCOMPARE(chat->seen.size(), 1);
}

void tst_MainEventProcess::postedRequestsWaitForTheEventLoop()
{
    BusParty *login = party(Address::Login);
    BusParty *panel = party(Address::MainPanel);
    BusParty *profile = party(Address::OwnProfile);
    BusParty *settings = party(Address::SystemSettings);

    MainEventProcess::showLoginWindowAgain();
    MainEventProcess::setShadow(0.25);
    MainEventProcess::showMyProfile();
    MainEventProcess::openProfileSettings();
    MainEventProcess::openHotKeySettings();
    MainEventProcess::openClearFilesDialog();
    for (const BusParty *p : {login, panel, profile, settings})
        QVERIFY(p->seen.isEmpty());

    MainEventProcess::showMyProfileNow();
    QCOMPARE(profile->seen.size(), 1);
    QVERIFY(!profile->seen[0].posted);

    deliverPosted();
    QCOMPARE(login->seen.size(), 1);
    QCOMPARE(login->seen[0].command, Command::ShowLoginWindowAgain);
    QCOMPARE(panel->seen.size(), 1);
    {
        PayloadReader r(panel->seen[0].data);
        QCOMPARE(r.readDouble(), 0.25);
        QVERIFY(r.ok() && r.atEnd());
    }
    QCOMPARE(profile->seen.size(), 3);
    QCOMPARE(profile->seen[1].command, Command::ShowMyProfile);
    QCOMPARE(profile->seen[2].command, Command::OpenProfileSettings);
    QCOMPARE(settings->seen.size(), 2);
    QCOMPARE(settings->seen[0].command, Command::OpenHotKeySettings);
    QCOMPARE(settings->seen[1].command, Command::OpenClearFilesDialog);
    for (const BusParty *p : {login, panel, settings})
        for (const Seen &seen : p->seen)
            QVERIFY(seen.posted && seen.source == Shell);
}

void tst_MainEventProcess::fanOutReachesEveryParty()
{
    BusParty *login = party(Address::Login);
    BusParty *contacts = party(Address::Contacts);
    BusParty *chat = party(Address::Chat);
    BusParty *card = party(Address::ContactCard);
    BusParty *panel = party(Address::MainPanel);
    BusParty *groupChat = party(Address::GroupChat);
    BusParty *profile = party(Address::OwnProfile);
    const QList<BusParty *> all{login, contacts, chat, card, panel, groupChat, profile};
    const auto commands = [](const BusParty *p) {
        QList<int> list;
        for (const Seen &seen : p->seen)
            list.append(seen.command);
        return list;
    };

    MainEventProcess::choosePresence(QStringLiteral("离开"), QStringLiteral("back soon"), 3);
    for (BusParty *p : {login, contacts}) {
        QCOMPARE(commands(p), QList<int>{Command::ChoosePresence});
        QCOMPARE(p->seen[0].target, p->pluginId());
        PayloadReader r(p->seen[0].data);
        QCOMPARE(r.readString(), QStringLiteral("离开"));
        QCOMPARE(r.readString(), QStringLiteral("back soon"));
        QCOMPARE(r.readInt(), 3);
        QVERIFY(r.ok() && r.atEnd());
    }

    MainEventProcess::setSignature(QStringLiteral("busy today"));
    QCOMPARE(contacts->seen.last().command, Command::SetSignature);
    QCOMPARE(PayloadReader(contacts->seen.last().data).readString(), QStringLiteral("busy today"));
    QCOMPARE(commands(profile), QList<int>{Command::SetSignature});
    QVERIFY(profile->seen[0].data.isEmpty());

    // Going offline fans out as part of the main window's presence menu test.
    for (BusParty *p : all)
        p->seen.clear();
    MainEventProcess::announceOnline();
    for (BusParty *p : all)
        QCOMPARE(commands(p), (QList<BusParty *>{chat, card, panel}.contains(p)
                                   ? QList<int>{Command::AnnounceOnline}
                                   : QList<int>{}));

    // The skin travels by address: it must be the copy attached to the event itself.
    QList<int> opacities;
    for (BusParty *p : all) {
        p->seen.clear();
        p->onEvent = [&opacities](BaseEvent *e) {
            const auto *skin = PayloadReader(e->data()).readPointer<SysUIData>();
            if (e->attachments().size() == 1 && skin == e->attachments().at(0))
                opacities << skin->backgroundOpacity;
        };
    }
    SysUIData skin;
    skin.backgroundOpacity = 200;
    MainEventProcess::broadcastSkin(skin);
    for (BusParty *p : all)
        QVERIFY(p->seen.isEmpty());
    deliverPosted();
    for (BusParty *p : all) {
        QCOMPARE(commands(p), QList<int>{Command::SkinChange});
        QVERIFY(p->seen[0].posted);
        QVERIFY(p->seen[0].target.isEmpty());
        QCOMPARE(p->seen[0].source, Shell);
    }
    QCOMPARE(opacities, QList<int>(all.size(), 200));
}

void tst_MainEventProcess::questionsDecodeTheAnswer()
{
    BusParty *contacts = party(Address::Contacts);
    BusParty *chat = party(Address::Chat);
    BusParty *small = party(Address::SmallBoxSender);
    BusParty *login = party(Address::Login);
    BusParty *groupChat = party(Address::GroupChat);

    contacts->answers.insert(Command::IsConnected, PayloadWriter::pack(true));
    QVERIFY(MainEventProcess::isConnected());
    QVERIFY(contacts->seen[0].data.isEmpty());
    QVERIFY(!contacts->seen[0].posted);

    chat->answers.insert(Command::RemainingUnreadCount, PayloadWriter::pack(qint32(5)));
    QCOMPARE(MainEventProcess::remainingUnreadCount(QStringLiteral("a@lumio")), 5);
    QVERIFY(chat->seen[0].source.isEmpty());
    QCOMPARE(PayloadReader(chat->seen[0].data).readString(), QStringLiteral("a@lumio"));

    chat->answers.insert(Command::MessageHtml, PayloadWriter::pack(QStringLiteral("<p>hi</p>")));
    QCOMPARE(MainEventProcess::messageHtml(QStringLiteral("hi")), QStringLiteral("<p>hi</p>"));
    QVERIFY(chat->seen.last().source.isEmpty());

    small->answers.insert(Command::SenderUnreadCount, PayloadWriter::pack(qint32(12)));
    QCOMPARE(MainEventProcess::senderUnreadCount(QStringLiteral("pa_news@lumio")), 12);

    groupChat->answers.insert(Command::FileInviteQuery, PayloadWriter::pack(QStringLiteral("shared")));
    QCOMPARE(MainEventProcess::fileInviteQuery(QStringLiteral("g"), QStringLiteral("f")),
             QStringLiteral("shared"));
    {
        PayloadReader r(groupChat->seen[0].data);
        QCOMPARE(r.readString(), QStringLiteral("g"));
        QCOMPARE(r.readString(), QStringLiteral("f"));
        QVERIFY(r.ok() && r.atEnd());
    }

    int opaque = 0;
    login->answers.insert(Command::LoginRecord, addressOf(&opaque));
    QCOMPARE(MainEventProcess::loginRecordAddress(), reinterpret_cast<quintptr>(&opaque));
    groupChat->answers.insert(Command::GroupRecord11AD, addressOf(&opaque));
    QCOMPARE(MainEventProcess::groupRecord11AD(QStringLiteral("g")),
             reinterpret_cast<quintptr>(&opaque));

    QList<Seen> atShell;
    m_router->setShellHandler([&atShell](BaseEvent *e) {
        atShell.append({e->command(), e->data(), e->sourceId(), e->targetId(), e->posted()});
        const char *answers[] = {"me@lumio", "key-1", "uid-1"};
        const int index = e->command() == Command::OwnJid         ? 0
                          : e->command() == Command::LogUploadKey ? 1
                                                                  : 2;
        e->setData(PayloadWriter::pack(QString::fromLatin1(answers[index])));
    });
    QCOMPARE(MainEventProcess::ownJid(), QStringLiteral("me@lumio"));
    QCOMPARE(MainEventProcess::logUploadKey(), QStringLiteral("key-1"));
    QCOMPARE(MainEventProcess::logUploadUserId(), QStringLiteral("uid-1"));
    QCOMPARE(atShell.size(), 3);
    QCOMPARE(atShell[2].command, Command::LogUploadUserId);
    for (const Seen &seen : atShell)
        QVERIFY(seen.source == Shell && seen.target == Shell);
}

void tst_MainEventProcess::missingAnswersGiveDefaults()
{
    LogCapture log;

    QCOMPARE(MainEventProcess::isConnected(), false);
    QVERIFY(log.contains(noAnswerTo(Command::IsConnected)));
    QCOMPARE(MainEventProcess::userName(), QString());
    QCOMPARE(MainEventProcess::senderUnreadCount(QStringLiteral("j")), 0);
    QCOMPARE(MainEventProcess::loginRecordAddress(), quintptr(0));
    QCOMPARE(MainEventProcess::contactListWidget(), static_cast<QWidget *>(nullptr));
    QVERIFY(MainEventProcess::ownAccount().jid.isEmpty());
    QVERIFY(MainEventProcess::unreadMessages().isEmpty());
    QVERIFY(MainEventProcess::expandedGroups().isEmpty());

    // A receiver that ignores the question leaves the request's own bytes in place.
    BusParty *chat = party(Address::Chat);
    BusParty *card = party(Address::ContactCard);
    BusParty *groupChat = party(Address::GroupChat);
    log.clear();
    QCOMPARE(MainEventProcess::messageHtml(QStringLiteral("<b>fragment</b>")), QString());
    QCOMPARE(MainEventProcess::remainingUnreadCount(QStringLiteral("somebody@lumio")), 0);
    QCOMPARE(MainEventProcess::fileInviteQuery(QStringLiteral("g"), QStringLiteral("f")),
             QString());
    QVERIFY(MainEventProcess::contactCard(QStringLiteral("somebody@lumio")).jid.isEmpty());
    QVERIFY(MainEventProcess::group(QStringLiteral("room@conference.lumio")).name.isEmpty());
    QCOMPARE(MainEventProcess::isPublicAccount(QStringLiteral("pa_x@lumio")), false);
    QCOMPARE(chat->seen.size(), 2);
    QCOMPARE(card->seen.size(), 2);
    QCOMPARE(groupChat->seen.size(), 2);
    QVERIFY(log.contains(noAnswerTo(Command::MessageHtml)));
    QVERIFY(log.contains(noAnswerTo(Command::ContactCard)));

    // An answer too short for its value reads as the default.
    chat->answers.insert(Command::HasUnfinishedChats, QByteArray(""));
    chat->answers.insert(Command::RemainingUnreadCount, QByteArray("\x00\x01", 2));
    QCOMPARE(MainEventProcess::hasUnfinishedChats(), false);
    QCOMPARE(MainEventProcess::remainingUnreadCount(QStringLiteral("j")), 0);
}

void tst_MainEventProcess::recordAnswersAreCopies()
{
    BusParty *card = party(Address::ContactCard);
    BusParty *account = party(Address::OwnAccount);
    BusParty *directory = party(Address::UserDirectory);
    BusParty *groupChat = party(Address::GroupChat);

    // Each answer is read after the answering object is gone: a kept pointer shows under ASan.
    auto vcard = std::make_unique<VcardInfo>();
    vcard->jid = QStringLiteral("alice@lumio");
    vcard->nickName = QStringLiteral("Alice");
    card->answers.insert(Command::ContactCard, addressOf(vcard.get()));
    const VcardInfo copy = MainEventProcess::contactCard(QStringLiteral("alice@lumio"));
    QVERIFY(card->seen.last().source.isEmpty());
    vcard->nickName = QStringLiteral("changed");
    vcard.reset();
    QCOMPARE(copy.nickName, QStringLiteral("Alice"));

    card->answers.insert(Command::ContactCard, addressOf(nullptr));
    const VcardInfo none = MainEventProcess::contactCard(QStringLiteral("ghost@lumio"));
    QVERIFY(none.jid.isEmpty() && none.nickName.isEmpty() && none.presence == 0);

    VcardInfo own;
    own.signature = QStringLiteral("hello");
    account->answers.insert(Command::OwnAccount, addressOf(&own));
    QCOMPARE(MainEventProcess::ownAccount().signature, QStringLiteral("hello"));

    auto user = std::make_unique<UserRecord>(
        UserRecord{QStringLiteral("me@lumio"), QStringLiteral("me"), QStringLiteral("me_folder")});
    directory->answers.insert(Command::CurrentUser, addressOf(user.get()));
    const UserRecord userCopy = MainEventProcess::currentUser();
    user.reset();
    QCOMPARE(userCopy.folderName, QStringLiteral("me_folder"));

    const GroupRecord room{QStringLiteral("room@conference.lumio"), QStringLiteral("Team"),
                           QStringLiteral("/heads/team.png")};
    groupChat->answers.insert(Command::Group, addressOf(&room));
    QCOMPARE(MainEventProcess::group(room.jid).name, QStringLiteral("Team"));
    QCOMPARE(PayloadReader(groupChat->seen.last().data).readString(), room.jid);

    const PublicAccountRecord news{QStringLiteral("pa_news@lumio"), QStringLiteral("News"),
                                   QStringLiteral("/heads/news.png")};
    card->answers.insert(Command::PublicAccount, addressOf(&news));
    QCOMPARE(MainEventProcess::publicAccount(news.jid).name, QStringLiteral("News"));
    QCOMPARE(card->seen.last().source, Shell);
}

void tst_MainEventProcess::containerAnswers()
{
    BusParty *chat = party(Address::Chat);
    BusParty *panel = party(Address::MainPanel);

    auto unread = std::make_unique<MainEventProcess::UnreadMessages>();
    MessageData first;
    first.fromJid = QStringLiteral("a@lumio");
    first.text = QStringLiteral("one");
    MessageData second = first;
    second.text = QStringLiteral("two");
    unread->insert(QStringLiteral("a@lumio"), {first, second});
    unread->insert(QStringLiteral("b@lumio"), {});
    chat->answers.insert(Command::UnreadMessages, addressOf(unread.get()));
    const MainEventProcess::UnreadMessages copy = MainEventProcess::unreadMessages();
    unread.reset();
    QCOMPARE(copy.keys(), (QStringList{QStringLiteral("a@lumio"), QStringLiteral("b@lumio")}));
    QCOMPARE(copy.value(QStringLiteral("a@lumio")).at(1).text, QStringLiteral("two"));
    QVERIFY(chat->seen[0].source.isEmpty());
    QVERIFY(chat->seen[0].data.isEmpty());

    chat->answers.insert(Command::UnreadMessages, addressOf(nullptr));
    QVERIFY(MainEventProcess::unreadMessages().isEmpty());

    auto groups = std::make_unique<QStringList>(QStringList{QStringLiteral("Friends"),
                                                            QStringLiteral("同事")});
    panel->answers.insert(Command::ExpandedGroups, addressOf(groups.get()));
    const QStringList expanded = MainEventProcess::expandedGroups();
    groups.reset();
    QCOMPARE(expanded, (QStringList{QStringLiteral("Friends"), QStringLiteral("同事")}));

    QWidget contactList;
    panel->answers.insert(Command::ContactListWidget, addressOf(&contactList));
    QCOMPARE(MainEventProcess::contactListWidget(), &contactList);
}

QTEST_MAIN(tst_MainEventProcess)
#include "tst_MainEventProcess.moc"
