// test-flags: WEBENGINE
#include "LogCapture.h"
#include "TestEnvironment.h"
#include "bus/BusRequest.h"
#include "bus/EventRouter.h"
#include "bus/MainEventProcess.h"
#include "bus/PluginManager.h"
#include "common/CommonFun.h"

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/MessageData.h>
#include <lumio/PayloadReader.h>
#include <lumio/PayloadWriter.h>
#include <lumio/SysUIData.h>

#include <QApplication>
#include <QComboBox>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextEdit>
#include <QtTest>

namespace {

const QStringList PackLibraries = {
    "libloginmanager.so",  "libxmppmanager.so",   "libfriendwindow.so",
    "libchatmanager.so",   "libprofilemanager.so", "libfriendmanager.so",
    "libloginwindow.so",   "libprofilewindow.so", "libsipphone.so",
};

const QString Wang = QStringLiteral("wangwu@lumio.test");
constexpr int DemoCommand = 0x200E;
constexpr int DemoMessage = 1;
constexpr int DemoFile = 2;
constexpr int DemoPhone = 5;

struct ShellCall
{
    int command;
    bool posted;
    QByteArray data;
};

QWidget *topLevel(const char *objectName)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(objectName) && w->isVisible())
            return w;
    }
    return nullptr;
}

} // namespace

// The pack's real libraries on a real bus, with this test standing in for the shell.
class tst_PluginPack : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void questionsBeforeLogInAnswerEmpty();
    void postedQuestionIsNeverAnswered();
    void wrongPasswordIsRefusedAndNeverWritten();
    void quickLaunchRunsTheLogInSequence();
    void arrivingMessageReachesTheShellAndIsReadOnOpen();
    void openChatWindowTalksWithTheSimulator();
    void fileOfferAndPhoneCallCarryTheirRecords();
    void contactListIsHandedOverNotOwned();
    void skinIsTakenOnlyWithItsRecord();
    void changeOfUserStartsClean();

private:
    void onShell(BaseEvent *event);
    QList<QVariantList> rows(const QString &account, const QString &select) const;
    int indexOf(int command, int from = 0) const;
    void demo(int kind);

    TestEnvironment m_env;
    LogCapture m_log;
    PluginManager m_plugins;
    EventRouter m_router{&m_plugins};
    QList<ShellCall> m_calls;
    QList<MessageData> m_arrived;
    QString m_messagePath;
    QString m_transferPath;
};

void tst_PluginPack::initTestCase()
{
    QVERIFY(m_env.isValid());
    m_messagePath = m_env.root() + QStringLiteral("/messages");
    m_transferPath = m_env.root() + QStringLiteral("/received");
    const QString folder = m_env.root() + QStringLiteral("/plugins");
    QVERIFY(QDir().mkpath(folder));
    for (const QString &library : PackLibraries)
        QVERIFY2(QFile::copy(TestEnvironment::binDir() + QStringLiteral("/plugins/") + library,
                             folder + QLatin1Char('/') + library),
                 qPrintable(library));
    m_router.setShellHandler([this](BaseEvent *event) { onShell(event); });
    BusRequest::setBus(&m_router);
    m_plugins.setPluginFolder(folder);
    m_plugins.setNameList(PackLibraries);
    m_plugins.setEventManager(&m_router);
    m_plugins.setLogger(&m_log);
    m_plugins.loadPlugin();
    QCOMPARE(m_plugins.plugins().size(), PackLibraries.size());
}

void tst_PluginPack::cleanupTestCase()
{
    // As the shell's event loop does when it ends: the parties close their windows.
    QVERIFY(QMetaObject::invokeMethod(qApp, "aboutToQuit", Qt::DirectConnection));
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), w->metaObject()->className());
    BusRequest::setBus(nullptr);
}

void tst_PluginPack::onShell(BaseEvent *event)
{
    m_calls.append({event->command(), event->posted(), event->data()});
    PayloadReader in(event->data());
    switch (event->command()) {
    case 0x10B0:
        event->setData(PayloadWriter::pack(m_messagePath));
        break;
    case 0x107C:
        event->setData(PayloadWriter::pack(m_transferPath));
        break;
    case 0x1052:
        // As the upgrade check does when it shows a prompt: a first answer, then the final one.
        BusRequest::post(0x1004, QString::fromLatin1(Address::Login), PayloadWriter::pack(true));
        QTimer::singleShot(300, this, [this] {
            m_calls.append({0x1004, true, PayloadWriter::pack(false)});
            BusRequest::post(0x1004, QString::fromLatin1(Address::Login), PayloadWriter::pack(false));
        });
        break;
    case 0x10C2: {
        in.readString();
        // The record is only alive while its sender waits: a posted one would dangle.
        const MessageData *message = in.readPointer<MessageData>();
        if (!event->posted() && message)
            m_arrived.append(*message);
        break;
    }
    default:
        break;
    }
}

QList<QVariantList> tst_PluginPack::rows(const QString &account, const QString &select) const
{
    QList<QVariantList> result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(m_messagePath + QLatin1Char('/') + account + QStringLiteral("/data.db"));
        if (db.open()) {
            QSqlQuery query(select, db);
            while (query.next()) {
                QVariantList row;
                for (int i = 0; i < query.record().count(); ++i)
                    row.append(query.value(i));
                result.append(row);
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    return result;
}

int tst_PluginPack::indexOf(int command, int from) const
{
    for (int i = from; i < m_calls.size(); ++i) {
        if (m_calls.at(i).command == command)
            return i;
    }
    return -1;
}

void tst_PluginPack::demo(int kind)
{
    BusRequest::postFrom(DemoCommand, QString::fromLatin1(Address::Contacts),
                         QString::fromLatin1(Address::MainPanel), PayloadWriter::pack(qint32(kind)));
}

void tst_PluginPack::questionsBeforeLogInAnswerEmpty()
{
    QVERIFY(!MainEventProcess::isConnected());
    QVERIFY(MainEventProcess::currentUser().jid.isEmpty());
    QCOMPARE(MainEventProcess::ownAccount().presence, 0);
    QCOMPARE(MainEventProcess::loginRecordAddress(), quintptr(0));
    QVERIFY(MainEventProcess::contactCard(QStringLiteral("nobody@lumio.test")).jid.isEmpty());
    QVERIFY(!MainEventProcess::knowsContact(QStringLiteral("nobody@lumio.test")));
    QVERIFY(MainEventProcess::knowsContact(QStringLiteral("LiSi@lumio.test")));
    QCOMPARE(MainEventProcess::contactCard(QStringLiteral("lisi@lumio.test")).nickName, QStringLiteral("李四"));
    QVERIFY(!MainEventProcess::isPublicAccount(Wang));
    QVERIFY(MainEventProcess::publicAccount(Wang).jid.isEmpty());
    QCOMPARE(MainEventProcess::remainingUnreadCount(Wang), 0);
    QVERIFY(MainEventProcess::unreadMessages().isEmpty());
    QVERIFY(!MainEventProcess::hasUnfinishedChats());
    QVERIFY(!MainEventProcess::panelQuery1206());
    // Every question above reached a party that answered it.
    QVERIFY2(!m_log.contains(QStringLiteral("no answer to command")), qPrintable(m_log.lines().join('\n')));
}

void tst_PluginPack::postedQuestionIsNeverAnswered()
{
    m_log.clear();
    BusRequest::post(0x1048, QString::fromLatin1(Address::Contacts));
    BusRequest::post(0x1127, QString::fromLatin1(Address::OwnAccount));
    QTRY_VERIFY(m_log.contains(QStringLiteral("0x1127 was posted; not answered")));
    QVERIFY(m_log.contains(QStringLiteral("0x1048 was posted; not answered")));
}

void tst_PluginPack::wrongPasswordIsRefusedAndNeverWritten()
{
    const QString secret = QStringLiteral("Wr0ng-Secret-42");
    MainEventProcess::showLoginWindow(QStringLiteral("zhangsan"), QStringLiteral("0"));
    QWidget *window = topLevel("LoginWindow");
    QVERIFY(window);
    QLineEdit *password = nullptr;
    for (QLineEdit *edit : window->findChildren<QLineEdit *>()) {
        if (edit->echoMode() == QLineEdit::Password)
            password = edit;
    }
    QVERIFY(password);
    QTest::keyClicks(password, secret);
    QTest::keyClick(password, Qt::Key_Return);
    QVERIFY(password->text().isEmpty());
    QTRY_VERIFY([window] {
        for (QLabel *label : window->findChildren<QLabel *>()) {
            if (label->text() == QStringLiteral("密码错误"))
                return true;
        }
        return false;
    }());
    QCOMPARE(indexOf(0x108C), -1);
    QVERIFY(!MainEventProcess::isConnected());

    // A quick launch for somebody unknown waits for the user instead of trying.
    m_calls.clear();
    MainEventProcess::showLoginWindow(QStringLiteral("nobody"), QStringLiteral("1"));
    QVERIFY(topLevel("LoginWindow"));
    QCOMPARE(window->findChild<QComboBox *>()->currentText(), QStringLiteral("nobody"));
    QCOMPARE(indexOf(0x10B5), -1);
    for (const QString &line : m_log.lines())
        QVERIFY2(!line.contains(secret), qPrintable(line));
    QDirIterator files(m_env.root(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        if (!path.endsWith(QLatin1String(".so")))
            QVERIFY2(!TestEnvironment::readText(path).contains(secret.toUtf8()), qPrintable(path));
    }
}

void tst_PluginPack::quickLaunchRunsTheLogInSequence()
{
    m_calls.clear();
    MainEventProcess::showLoginWindow(QStringLiteral("ZhangSan"), QStringLiteral("1"));
    QTRY_VERIFY(indexOf(0x102C) >= 0 && indexOf(0x101B, indexOf(0x102C)) > 0);
    // The log-in report waits for the upgrade check's final answer, not its first.
    const int order[] = {0x10B5, 0x108B, 0x1067, 0x1052, 0x1004, 0x108C, 0x1053, 0x102C, 0x101B};
    int at = 0;
    for (int command : order) {
        const int next = indexOf(command, at);
        QVERIFY2(next >= at, qPrintable(QString::number(command, 16)));
        at = next;
    }
    const QString jid = PayloadReader(m_calls.at(indexOf(0x108B)).data).readString();
    QCOMPARE(jid, QStringLiteral("zhangsan@lumio.test"));
    // The shell's account folder, the user record and the JID's folder name are one string.
    QCOMPARE(PayloadReader(m_calls.at(indexOf(0x1067)).data).readString(), QStringLiteral("zhangsan"));
    QCOMPARE(MainEventProcess::currentUser().folderName, CommonFun::jidToFolderName(jid));
    QVERIFY(PayloadReader(m_calls.at(indexOf(0x102C)).data).readBool());
    QVERIFY(MainEventProcess::isConnected());
    QCOMPARE(MainEventProcess::userName(), QStringLiteral("张三"));
    QVERIFY(MainEventProcess::ownAccount().presence != 0);
    QVERIFY(!topLevel("LoginWindow"));

    // The login party opened the account's database itself, before 0x108C.
    QVERIFY(m_log.contains(QStringLiteral("login party opened data.db of zhangsan")));
    const QList<QVariantList> login = rows(QStringLiteral("zhangsan"),
        QStringLiteral("SELECT trueAccount, password, password2 FROM login WHERE account = 'zhangsan'"));
    QCOMPARE(login.size(), 1);
    QCOMPARE(login.first().at(0).toString(), jid);
    QVERIFY(login.first().at(1).toString().isEmpty());
    QVERIFY(login.first().at(2).toString().isEmpty());

    const QByteArray page = TestEnvironment::readText(m_messagePath + QStringLiteral("/index/msgRecordIndex.html"));
    for (const char *function : {"fnAppendMessage", "fnFreshPicture", "downPicFailed", "resizeImg",
                                 "replaceErrImg", "errorPic", "messageObject.strNewLine"})
        QVERIFY2(page.contains(function), function);
    QVERIFY(!page.contains("http:") && !page.contains("https:"));
}

void tst_PluginPack::arrivingMessageReachesTheShellAndIsReadOnOpen()
{
    m_arrived.clear();
    demo(DemoMessage);
    QTRY_COMPARE(m_arrived.size(), 1);
    const MessageData message = m_arrived.first();
    QVERIFY(!message.messageId.isEmpty());
    QCOMPARE(message.type, 0);
    QCOMPARE(message.chatType, 0);
    QVERIFY(QDateTime::fromString(message.time, QStringLiteral("yyyy-MM-dd hh:mm:ss")).isValid());
    QVERIFY(!message.fromName.isEmpty());
    // The unread box previews the body: an empty one leaves its rows blank.
    QCOMPARE(message.body, message.text);
    QCOMPARE(MainEventProcess::remainingUnreadCount(message.fromJid), 1);
    const auto unread = MainEventProcess::unreadMessages();
    QCOMPARE(unread.value(message.fromJid).size(), 1);
    QCOMPARE(unread.value(message.fromJid).first().text, message.text);
    QVERIFY(MainEventProcess::messageHtml(QStringLiteral("<img src=\"https://x.example/a.png\">"))
                .indexOf(QStringLiteral("https:")) < 0);

    m_calls.clear();
    MainEventProcess::openChatWindow(false, message.fromJid);
    const int read = indexOf(0x1235);
    QVERIFY(read >= 0);
    PayloadReader in(m_calls.at(read).data);
    QCOMPARE(in.readString(), message.fromJid);
    QCOMPARE(in.readString(), QString());
    QCOMPARE(MainEventProcess::remainingUnreadCount(message.fromJid), 0);
    // The main window's badge follows the count down to nothing.
    const int badge = indexOf(0x1208, read);
    QVERIFY(badge > read);
    QCOMPARE(PayloadReader(m_calls.at(badge).data).readInt(), 0);
    QVERIFY(!topLevel("ChatWindow"));
    const QString stored = QStringLiteral("SELECT readed, true_content FROM msgrecord WHERE messageid = '%1'")
                               .arg(message.messageId);
    const QList<QVariantList> row = rows(QStringLiteral("zhangsan"), stored);
    QCOMPARE(row.size(), 1);
    QCOMPARE(row.first().at(0).toInt(), 1);
    QCOMPARE(row.first().at(1).toString(), message.text);

    // Ignored but not lost: a window opened later shows it from the history.
    MainEventProcess::openChatWindow(true, message.fromJid);
    QWidget *window = topLevel("ChatWindow");
    QVERIFY(window);
    QCOMPARE(window->findChildren<QLabel *>(QStringLiteral("bubbleIn")).size(), 1);
    QCOMPARE(window->findChild<QLabel *>(QStringLiteral("bubbleIn"))->text(), message.text);
    window->close();
}

void tst_PluginPack::openChatWindowTalksWithTheSimulator()
{
    m_arrived.clear();
    MainEventProcess::openChatWindow(true, Wang);
    QWidget *window = topLevel("ChatWindow");
    QVERIFY(window);
    auto *input = window->findChild<QTextEdit *>(QStringLiteral("chatInput"));
    QVERIFY(input);
    input->setPlainText(QStringLiteral("周五的评审还开吗？"));
    QVERIFY(MainEventProcess::hasUnfinishedChats());
    QTest::keyClick(input, Qt::Key_Return);
    QVERIFY(input->toPlainText().isEmpty());
    QVERIFY(!MainEventProcess::hasUnfinishedChats());
    QCOMPARE(window->findChildren<QLabel *>(QStringLiteral("bubbleOut")).size(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(window->findChildren<QLabel *>(QStringLiteral("bubbleIn")).size(), 1, 5000);
    // A reply into an open window is read already: no unread entry for the shell.
    QVERIFY(m_arrived.isEmpty());
    QCOMPARE(MainEventProcess::remainingUnreadCount(Wang), 0);
    window->close();
    const QString conversation = QStringLiteral("SELECT id FROM msgrecord WHERE jid = '%1'").arg(Wang);
    QCOMPARE(rows(QStringLiteral("zhangsan"), conversation).size(), 2);
    MainEventProcess::openMessageManager(Wang, false);
    QVERIFY(rows(QStringLiteral("zhangsan"), conversation).isEmpty());
}

void tst_PluginPack::fileOfferAndPhoneCallCarryTheirRecords()
{
    m_arrived.clear();
    demo(DemoFile);
    QTRY_COMPARE(m_arrived.size(), 1);
    const MessageData offer = m_arrived.takeFirst();
    QCOMPARE(offer.type, 18);
    QVERIFY(!offer.attachmentName().isEmpty());
    MainEventProcess::answerFileOffer(offer.fromJid, &offer, QStringLiteral("Reject"));
    QVERIFY(!QFile::exists(m_transferPath + QLatin1Char('/') + offer.attachmentName()));
    // Posted, the address may be gone by delivery: the answer is dropped, not read.
    m_log.clear();
    PayloadWriter posted;
    posted << offer.fromJid;
    posted.writeAddress(&offer);
    posted << QStringLiteral("Receive");
    BusRequest::post(0x1236, QString::fromLatin1(Address::Chat), posted.bytes());
    QTRY_VERIFY(m_log.contains(QStringLiteral("file answer without a live message")));
    QVERIFY(!QFile::exists(m_transferPath + QLatin1Char('/') + offer.attachmentName()));
    MainEventProcess::answerFileOffer(offer.fromJid, &offer, QStringLiteral("Receive"));
    QVERIFY(QFile::exists(m_transferPath + QLatin1Char('/') + offer.attachmentName()));

    demo(DemoPhone);
    QTRY_COMPARE(m_arrived.size(), 1);
    const MessageData call = m_arrived.takeFirst();
    QCOMPARE(call.type, 22);
    QVERIFY(!call.strings11[3].isEmpty());
    QVERIFY(!call.strings11[4].isEmpty());
    MainEventProcess::acceptPhoneCall(call.strings11[3], call.strings11[4]);
    QTRY_VERIFY([] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->inherits("ProfileCard") && w->isVisible())
                return true;
        }
        return false;
    }());
}

void tst_PluginPack::contactListIsHandedOverNotOwned()
{
    QWidget *list = MainEventProcess::contactListWidget();
    QVERIFY(list);
    QVERIFY(!list->parent());
    QCOMPARE(MainEventProcess::contactListWidget(), list);
    QVERIFY(list->findChild<QWidget *>(QStringLiteral("frdListView")));
    QVERIFY(MainEventProcess::expandedGroups().size() >= 1);

    auto *menu = list->findChild<QMenu *>();
    QVERIFY(menu);
    menu->popup(QPoint(10, 10));
    QTRY_VERIFY(MainEventProcess::panelQuery1206());
    menu->close();
    QVERIFY(!MainEventProcess::panelQuery1206());

    // The message box's card view reaches the panel, posted in the chat party's name.
    MainEventProcess::showCardInPanel(QStringLiteral("zhaoliu@lumio.test"));
    QTRY_VERIFY([] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->inherits("ProfileCard") && w->isVisible() && w->windowTitle() == QStringLiteral("联系人资料"))
                return true;
        }
        return false;
    }());

    // The main window owns it now; once it is gone the panel makes a new one.
    auto *host = new QWidget;
    list->setParent(host);
    QPointer<QWidget> watched(list);
    delete host;
    QVERIFY(watched.isNull());
    QWidget *again = MainEventProcess::contactListWidget();
    QVERIFY(again);
    QVERIFY(!again->parent());
    auto *owner = new QWidget;
    again->setParent(owner);
    delete owner;
}

void tst_PluginPack::skinIsTakenOnlyWithItsRecord()
{
    MainEventProcess::openChatWindow(true, Wang);
    QWidget *window = topLevel("ChatWindow");
    QVERIFY(window);
    SysUIData skin;
    skin.firstColor = QColor(QStringLiteral("#336699"));
    MainEventProcess::broadcastSkin(skin);
    const QString painted = skin.firstColor.darker(115).name();
    QTRY_VERIFY(window->styleSheet().contains(painted));

    // An address without the record attached may point anywhere: never read.
    m_log.clear();
    SysUIData stray;
    stray.firstColor = QColor(QStringLiteral("#aa0000"));
    PayloadWriter payload;
    payload.writeAddress(&stray);
    BusRequest::tell(0x1237, QString(), payload.bytes());
    QVERIFY(m_log.contains(QStringLiteral("skin change without its record")));
    QVERIFY(window->styleSheet().contains(painted));
    window->close();
}

void tst_PluginPack::changeOfUserStartsClean()
{
    m_arrived.clear();
    demo(DemoMessage);
    QTRY_COMPARE(m_arrived.size(), 1);
    QVERIFY(!MainEventProcess::unreadMessages().isEmpty());

    m_calls.clear();
    MainEventProcess::loginExit();
    QTRY_VERIFY(!MainEventProcess::isConnected());
    const int lost = indexOf(0x102C);
    QVERIFY(lost >= 0);
    QVERIFY(!PayloadReader(m_calls.at(lost).data).readBool());

    MainEventProcess::showLoginWindow(QStringLiteral("lisi"), QStringLiteral("1"));
    QTRY_VERIFY(indexOf(0x101B) >= 0);
    QCOMPARE(MainEventProcess::currentUser().folderName, QStringLiteral("lisi"));
    QCOMPARE(MainEventProcess::ownAccount().nickName, QStringLiteral("李四"));
    QVERIFY(MainEventProcess::unreadMessages().isEmpty());
    QCOMPARE(MainEventProcess::remainingUnreadCount(m_arrived.first().fromJid), 0);
}

QTEST_MAIN(tst_PluginPack)
#include "tst_PluginPack.moc"
