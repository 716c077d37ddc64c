#include "NotifyBus.h"
#include "TestEnvironment.h"
#include "app/settings/SystemSetData.h"
#include "bus/MainSignalSender.h"
#include "notify/SmallMsgBox.h"
#include "notify/SystemTrayManager.h"
#include "store/CLocalDataBase.h"
#include "store/LoginStore.h"
#include "ui/CMenuEx.h"

#include <lumio/Commands.h>

#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QSettings>
#include <QStandardItemModel>
#include <QSignalSpy>
#include <QtTest>

// One tray manager lives for the whole program, as in the shell; each case
// starts from an empty queue and a fresh bus.
class tst_SystemTrayManager : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void queueKeepsMostRecentFirstOnce();
    void unreadBoxVisibleQueuesOnlyCalls();
    void flashAlternatesAndStopsWithinTwoTicks();
    void presenceIconAndTooltipPerCode();
    void animationEndsWhenConnected();
    void quittingDuringAnimationStopsIt();
    void menusAndPresenceOrder();
    void clickOnEmptyQueue();
    void readReportsRemoveMessagesSendersAll();
    void timeOutNoticeIsNotStacked();
    void changeOfUser();
    void trayWithoutGeometryOpensTheBoxItself();

private:
    TestEnvironment m_env; // first: the settings read HOME when they are built
    std::unique_ptr<NotifyBus> m_bus;
    BusParty *m_chat = nullptr;
    BusParty *m_contacts = nullptr;
    BusParty *m_card = nullptr;
    BusParty *m_own = nullptr;
    BusParty *m_login = nullptr;
    BusParty *m_panel = nullptr;
    QHash<QString, int> m_unread;
    bool m_connected = false;
    VcardInfo m_ownCard;
    VcardInfo m_card1;
    SystemTrayManager *tray() { return SystemTrayManager::instance(); }
};

void tst_SystemTrayManager::init()
{
    m_bus = std::make_unique<NotifyBus>();
    m_unread.clear();
    m_connected = false;
    m_ownCard = VcardInfo();
    m_ownCard.jid = QStringLiteral("alice@lumio");
    m_ownCard.account = QStringLiteral("alice");
    m_ownCard.presence = 1;
    m_chat = m_bus->party(Address::Chat);
    m_chat->answer = [this](int command, const QByteArray &payload) {
        if (command == Command::RemainingUnreadCount)
            return NotifyBus::value(qint32(m_unread.value(NotifyBus::firstString(payload), 1)));
        return QByteArray();
    };
    m_contacts = m_bus->party(Address::Contacts);
    m_contacts->answer = [this](int command, const QByteArray &) {
        return command == Command::IsConnected ? NotifyBus::value(m_connected) : QByteArray();
    };
    m_card = m_bus->party(Address::ContactCard);
    m_card->answer = [this](int command, const QByteArray &) {
        return command == Command::ContactCard ? addressOf(&m_card1) : QByteArray();
    };
    m_own = m_bus->party(Address::OwnAccount);
    m_own->answer = [this](int command, const QByteArray &) {
        return command == Command::OwnAccount ? addressOf(&m_ownCard) : QByteArray();
    };
    m_login = m_bus->party(Address::Login);
    m_panel = m_bus->party(Address::MainPanel);
    tray()->setUnreadBox(nullptr);
    tray()->setIsUserQuit(false);
    tray()->clearSipPhoneShake();
    tray()->delfrdMsgById(QString(), QString());
    tray()->initOfflineMenu();
}

void tst_SystemTrayManager::cleanup()
{
    tray()->delfrdMsgById(QString(), QString());
    m_bus.reset();
}

void tst_SystemTrayManager::queueKeepsMostRecentFirstOnce()
{
    MessageData msg;
    for (const char *jid : {"a@x", "b@x", "a@x", "c@x", "b@x"})
        tray()->shakeByMsg(QString::fromLatin1(jid), msg);
    QCOMPARE(tray()->shakeJids(), (QList<QString>{"b@x", "c@x", "a@x"}));
    QVERIFY(tray()->trayIcon()->toolTip().isEmpty());
    tray()->shakeByNotice(QStringLiteral("pa1@x"), QStringLiteral("10:00"), true);
    QCOMPARE(tray()->shakeJids().size(), 3); // silent notices queue nothing
    tray()->shakeByNotice(QStringLiteral("pa1@x"), QStringLiteral("10:00"), false);
    QCOMPARE(tray()->shakeJids().first(), QStringLiteral("pa1@x"));
}

void tst_SystemTrayManager::unreadBoxVisibleQueuesOnlyCalls()
{
    QWidget unreadBox;
    unreadBox.show();
    tray()->setUnreadBox(&unreadBox);
    MessageData msg;
    tray()->shakeByMsg(QStringLiteral("a@x"), msg);
    tray()->shakeByNotice(QStringLiteral("pa@x"), QString(), false);
    QVERIFY(tray()->shakeJids().isEmpty());

    MessageData call;
    call.type = 22;
    tray()->shakeByMsg(QStringLiteral("phone@x"), call);
    QVERIFY(tray()->shakeJids().isEmpty());
    // One of the next two ticks shows the phone.
    QStringList phases;
    for (int tick = 0; tick < 2; ++tick) {
        tray()->slot_timeOutShakeHead();
        phases << tray()->shownImage();
    }
    QVERIFY(phases.contains(QStringLiteral("Resources\\images\\VoIP\\ic_voip_calling.png")));
}

void tst_SystemTrayManager::flashAlternatesAndStopsWithinTwoTicks()
{
    tray()->loginFinished(2);
    tray()->shakeByMsg(QStringLiteral("a@x"), MessageData());
    int cardQuestions = m_card->count(Command::ContactCard);
    QStringList phases;
    for (int tick = 0; tick < 4; ++tick) {
        tray()->slot_timeOutShakeHead();
        phases << tray()->shownImage();
    }
    // Whatever the phase, head and blank alternate.
    QVERIFY(phases[0] != phases[1]);
    QCOMPARE(phases[0], phases[2]);
    QVERIFY(phases.contains(QStringLiteral("head:a@x")) && phases.contains(QStringLiteral("blank")));
    QVERIFY(!tray()->trayIcon()->icon().isNull()); // the blank phase is a clear picture

    // The head is built once per sender, again only after its card changed.
    QCOMPARE(m_card->count(Command::ContactCard), cardQuestions + 1);
    emit MainSignalSender::instance()->signal_friendInfo(QStringLiteral("a@x"), VcardInfo());
    cardQuestions = m_card->count(Command::ContactCard);
    tray()->slot_timeOutShakeHead();
    tray()->slot_timeOutShakeHead();
    QCOMPARE(m_card->count(Command::ContactCard), cardQuestions + 1);

    tray()->slot_removeActJid(QStringLiteral("a@x"));
    QVERIFY(!tray()->trayIcon()->toolTip().isEmpty());
    QVERIFY(tray()->isFlashing());
    for (int tick = 0; tick < 2 && tray()->isFlashing(); ++tick)
        tray()->slot_timeOutShakeHead();
    QVERIFY(!tray()->isFlashing());
    QCOMPARE(tray()->shownImage(), SystemTrayManager::presenceIcon(2));
}

void tst_SystemTrayManager::presenceIconAndTooltipPerCode()
{
    const QString away = SystemTrayManager::presenceIcon(2);
    const QString online = SystemTrayManager::presenceIcon(1);
    QVERIFY(away != online && SystemTrayManager::presenceIcon(4) != online
            && SystemTrayManager::presenceIcon(0) != online);
    const struct {
        int code;
        const char *afterLogin;
        const char *afterRefresh;
    } rows[] = {{0, "离线", "离线"}, {1, "在线", "在线"}, {2, "离开", "离开"}, {3, "在线", ""},
                {4, "忙碌", "忙碌"}, {5, "在线", "在线"}, {42, "在线", ""}};
    for (const auto &row : rows) {
        tray()->loginFinished(row.code);
        QCOMPARE(tray()->shownImage(), SystemTrayManager::presenceIcon(row.code));
        QCOMPARE(tray()->trayIcon()->toolTip(),
                 QStringLiteral("账号：alice\n状态：") + QString::fromUtf8(row.afterLogin));
        tray()->slot_setSystemToolTip();
        QCOMPARE(tray()->trayIcon()->toolTip(),
                 QStringLiteral("账号：alice\n状态：") + QString::fromUtf8(row.afterRefresh));
    }
    // The own card arriving late fills in the account, flashing or not.
    m_ownCard.account = QStringLiteral("alice2");
    emit MainSignalSender::instance()->signal_myProfileReceived();
    QCOMPARE(tray()->trayIcon()->toolTip(), QStringLiteral("账号：alice2\n状态：在线"));
    tray()->shakeByMsg(QStringLiteral("a@x"), MessageData());
    emit MainSignalSender::instance()->signal_myProfileReceived();
    QVERIFY(tray()->trayIcon()->toolTip().isEmpty());
    QCOMPARE(SystemTrayManager::presenceIcon(3), online);
    QCOMPARE(SystemTrayManager::presenceIcon(42), online);
    QCOMPARE(SystemTrayManager::presenceIcon(5), online);
}

void tst_SystemTrayManager::animationEndsWhenConnected()
{
    tray()->loginFinished(4);
    tray()->loginStart();
    QTRY_VERIFY_WITH_TIMEOUT(tray()->shownImage().contains(QStringLiteral("loading")), 2000);
    QVERIFY(tray()->isLoggingIn());
    m_connected = true;
    QTRY_VERIFY_WITH_TIMEOUT(!tray()->isLoggingIn(), 2000);
    QCOMPARE(tray()->shownImage(), SystemTrayManager::presenceIcon(4));
    QCOMPARE(tray()->status(), 4);
}

void tst_SystemTrayManager::quittingDuringAnimationStopsIt()
{
    tray()->loginStart();
    tray()->setIsUserQuit(true);
    QVERIFY(!tray()->isLoggingIn());
    QVERIFY(!tray()->trayIcon()->isVisible());
    tray()->loginFinished(1);
    QVERIFY(!tray()->trayIcon()->isVisible());
}

void tst_SystemTrayManager::menusAndPresenceOrder()
{
    auto texts = [this] {
        QStringList t;
        for (QAction *a : tray()->trayMenu()->actions())
            t << (a->isSeparator() ? QStringLiteral("-") : a->text() + (a->isVisible() ? "" : "#hidden"));
        return t;
    };
    QCOMPARE(texts(), (QStringList{"打开登录窗", "退出"}));
    QCOMPARE(tray()->trayMenu()->menuStyle(), 2);
    emit MainSignalSender::instance()->signal_login();
    QCOMPARE(texts(), (QStringList{"在线", "离开", "忙碌", "隐身#hidden", "离线", "-", "更改用户", "-",
                                   "打开主面板", "退出"}));
    QVERIFY(!tray()->isOfflineMenu());

    tray()->loginFinished(1);
    int seenByListener = -2;
    auto connection = connect(tray(), &SystemTrayManager::signal_pAct3, this,
                              [&] { seenByListener = tray()->status(); });
    tray()->trayMenu()->actions().at(2)->trigger();
    disconnect(connection);
    QCOMPARE(seenByListener, 1);
    QCOMPARE(tray()->status(), 4);
    // Log-out keeps the full menu; only the dispatcher brings the short one back.
    emit MainSignalSender::instance()->signal_logout();
    QVERIFY(!tray()->isOfflineMenu());
    QCOMPARE(tray()->trayIcon()->toolTip(), QStringLiteral("账号：alice\n状态：离线"));
}

void tst_SystemTrayManager::clickOnEmptyQueue()
{
    QSignalSpy showMain(tray(), &SystemTrayManager::signal_showMainWindow);
    tray()->slot_trayActivated(QSystemTrayIcon::Trigger);
    QCOMPARE(m_login->count(Command::ShowLoginWindowAgain), 0);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(m_login->count(Command::ShowLoginWindowAgain), 1);
    QCOMPARE(showMain.size(), 0);

    tray()->slot_trayMenuChange();
    tray()->slot_trayActivated(QSystemTrayIcon::Trigger);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(showMain.size(), 1);
    QCOMPARE(m_login->count(Command::ShowLoginWindowAgain), 1);

    // With a queue the click opens the most recent sender's chat, queue unchanged.
    tray()->shakeByMsg(QStringLiteral("a@x"), MessageData());
    tray()->shakeByMsg(QStringLiteral("b@x"), MessageData());
    tray()->slot_trayActivated(QSystemTrayIcon::Trigger);
    QCOMPARE(m_chat->count(Command::OpenChatWindow), 1);
    PayloadReader open(m_chat->seen.last().data);
    QCOMPARE(open.readBool(), true);
    QCOMPARE(open.readString(), QStringLiteral("b@x"));
    QCOMPARE(tray()->shakeJids().size(), 2);
    // Offline (0 counts as 7 only with the second value 1): no chat.
    m_ownCard.presence = 0;
    tray()->slot_trayActivated(QSystemTrayIcon::Trigger);
    QCOMPARE(m_chat->count(Command::OpenChatWindow), 1);
    m_ownCard.presenceDetail = 1;
    tray()->slot_trayActivated(QSystemTrayIcon::Trigger);
    QCOMPARE(m_chat->count(Command::OpenChatWindow), 2);
}

void tst_SystemTrayManager::readReportsRemoveMessagesSendersAll()
{
    SmallMsgBox *box = SmallMsgBox::instance();
    for (const char *jid : {"a@x", "b@x", "c@x"})
        tray()->shakeByMsg(QString::fromLatin1(jid), MessageData());
    QCOMPARE(box->visibleJids().size(), 3);

    // One message read, others remain: the sender stays.
    m_unread.insert(QStringLiteral("a@x"), 2);
    tray()->delfrdMsgById(QStringLiteral("a@x"), QStringLiteral("m1"));
    QVERIFY(tray()->shakeJids().contains(QStringLiteral("a@x")));
    QCOMPARE(box->model()->item(0)->data(SmallMsgBox::CountRole).toString(), QStringLiteral("(2)"));
    // The last one read: gone from queue and box.
    m_unread.insert(QStringLiteral("a@x"), 0);
    tray()->delfrdMsgById(QStringLiteral("a@x"), QStringLiteral("m2"));
    QVERIFY(!tray()->shakeJids().contains(QStringLiteral("a@x")));
    QVERIFY(!box->visibleJids().contains(QStringLiteral("a@x")));

    tray()->delfrdMsgById(QStringLiteral("b@x"), QString());
    QCOMPARE(tray()->shakeJids(), QList<QString>{"c@x"});
    QCOMPARE(box->visibleJids(), QStringList{"c@x"});

    const int stops = m_panel->count(Command::FlashingStopped);
    tray()->delfrdMsgById(QString(), QString());
    QVERIFY(tray()->shakeJids().isEmpty());
    QCOMPARE(box->model()->rowCount(), 0);
    QCOMPARE(m_panel->count(Command::FlashingStopped), stops + 1);
}

void tst_SystemTrayManager::timeOutNoticeIsNotStacked()
{
    auto notices = [] {
        int n = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            n += w->objectName() == QStringLiteral("trayTimeOutNotice");
        return n;
    };
    // Before the main window holds its list, only the presence changes.
    tray()->setListEmbeddedCheck([] { return false; });
    tray()->showTimeOutErrorMsg();
    QCOMPARE(tray()->status(), 0);
    QCOMPARE(notices(), 0);

    tray()->setListEmbeddedCheck([] { return true; });
    tray()->showTimeOutErrorMsg();
    tray()->showTimeOutErrorMsg();
    QCOMPARE(notices(), 1);
    QWidget *notice = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("trayTimeOutNotice"))
            notice = w;
    QVERIFY(!notice->isModal());
    notice->close();
    QTRY_VERIFY(!tray()->isTimeOutNoticeOpen());
    tray()->showTimeOutErrorMsg();
    QTRY_COMPARE(notices(), 1);
    emit MainSignalSender::instance()->signal_isConnected(true);
    QVERIFY(!tray()->isTimeOutNoticeOpen());
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("trayTimeOutNotice"))
            w->close();
    tray()->setListEmbeddedCheck({});
}

void tst_SystemTrayManager::changeOfUser()
{
    const QString root = SystemSetData::instance()->messageFilePath();
    QVERIFY(CLocalDataBase::Open(QStringLiteral("alice"), root, true));
    QSignalSpy changed(tray(), &SystemTrayManager::signal_changeuser);
    const QString config = root + QStringLiteral("/alice/config.ini");

    // Nobody remembered: the table stays empty, the settings still change.
    tray()->slot_changeUser();
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), config);
    QCOMPARE(QSettings(config, QSettings::IniFormat).value("basicSetting/autoLogin").toString(),
             QStringLiteral("0"));
    QVERIFY(LoginStore::AllLoginInfos().isEmpty());

    LoginInfo older;
    older.account = QStringLiteral("bob");
    older.isAutoLogin = 1;
    older.showType = 2;
    older.loginTime = QStringLiteral("2026-01-01 08:00:00");
    LoginInfo newest = older;
    newest.account = QStringLiteral("alice");
    newest.showType = 4;
    newest.loginTime = QStringLiteral("2026-03-01 08:00:00");
    QVERIFY(LoginStore::SaveLoginInfo(older) && LoginStore::SaveLoginInfo(newest));
    tray()->slot_changeUser();
    QCOMPARE(changed.size(), 2);
    QCOMPARE(LoginStore::LoginInfoByAccount(QStringLiteral("alice")).isAutoLogin, 0);
    QCOMPARE(LoginStore::LoginInfoByAccount(QStringLiteral("alice")).showType, 4);
    QCOMPARE(LoginStore::LoginInfoByAccount(QStringLiteral("bob")).isAutoLogin, 1);
    CLocalDataBase::Close();
}

void tst_SystemTrayManager::trayWithoutGeometryOpensTheBoxItself()
{
    QVERIFY(tray()->isHoverless()); // offscreen: no tray host, no icon geometry
    SmallMsgBox *box = SmallMsgBox::instance();
    tray()->shakeByMsg(QStringLiteral("a@x"), MessageData());
    QVERIFY(box->isVisible());
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(box->frameGeometry().right(), work.right() + 8); // the shadow may hang over
    QCOMPARE(box->frameGeometry().bottom(), work.bottom() + 8);
    // No hover can keep it open, so the poll never starts its hide timer.
    tray()->slot_checkMousePos();
    QVERIFY(!box->hideTimerActive());
    box->hide();
    tray()->slot_trayActivated(QSystemTrayIcon::MiddleClick);
    QVERIFY(box->isVisible());
    tray()->slot_trayActivated(QSystemTrayIcon::Trigger); // a click hides it and opens the chat
    QVERIFY(!box->isVisible());
}

QTEST_MAIN(tst_SystemTrayManager)
#include "tst_SystemTrayManager.moc"
