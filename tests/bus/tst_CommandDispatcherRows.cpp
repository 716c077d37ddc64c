#include "DispatcherHarness.h"
#include "LogCapture.h"
#include "bus/ContactCommands.h"
#include "bus/SessionCommands.h"
#include "common/CommonFun.h"

#include <lumio/Commands.h>
#include <lumio/MessageData.h>
#include <lumio/Records.h>
#include <lumio/SysUIData.h>

#include <QImage>
#include <QPixmap>
#include <QSettings>
#include <QtTest>

using namespace harness;

namespace {

const QByteArray FontConfig = "[chatFontSetting]\n"
                              "fontfamily=Noto Sans\n"
                              "fontsize=0\n"
                              "isbold=true\n"
                              "isitalic=false\n"
                              "hasunderline=true\n"
                              "textcolor=#FF8000\n"
                              "[msgSetting]\n"
                              "allowShaked=1\n"
                              "[IconSetting]\n"
                              "HeadType=2\n"
                              "L_HeadType=3\n";

} // namespace

class tst_CommandDispatcherRows : public QObject
{
    Q_OBJECT
private slots:
    void settingsAnswers();
    void settersChangeTheRecordOnly();
    void messageSyncIsStoredAsItsReadersReadIt();
    void signalRowsEmitInOrder();
    void mainWindowRowsWaitForTheMainWindow();
    void unreadBadge_data();
    void unreadBadge();
    void headImages();
    void notices();
    void mobileLogIn();
    void skins();
};

void tst_CommandDispatcherRows::settingsAnswers()
{
    PrivateShell shell;
    shell.mainWindow.exists = true;
    shell.loadAccount(QStringLiteral("alice"), FontConfig);
    QCOMPARE(shell.calls.lines, QStringList{"applySkinAndRepaint"});

    QCOMPARE(readString(shell.ask(Command::MessageFilePath)), shell.settings.messageFilePath());
    QVERIFY(QDir::isAbsolutePath(readString(shell.ask(Command::MessageFilePath))));
    QCOMPARE(readString(shell.ask(Command::AllowShake)), QStringLiteral("1"));
    PayloadReader head(shell.ask(Command::HeadType));
    QCOMPARE(head.readInt(), 2);
    PayloadReader lHead(shell.ask(Command::ListHeadType));
    QCOMPARE(lHead.readInt(), 1);

    PayloadReader font(shell.ask(Command::ChatFont));
    QCOMPARE(font.readString(), QStringLiteral("Noto Sans"));
    QCOMPARE(font.readDouble(), 12.0);
    QCOMPARE(font.readBool(), true);
    QCOMPARE(font.readBool(), false);
    QCOMPARE(font.readBool(), true);
    QCOMPARE(font.readString(), QStringLiteral("#ff8000"));
    QVERIFY(font.ok() && font.atEnd());

    // No colour stored: an empty name, not the invalid colour's "#000000".
    shell.loadAccount(QStringLiteral("bob"), "[chatFontSetting]\nfontsize=15.5\n");
    PayloadReader plain(shell.ask(Command::ChatFont));
    QCOMPARE(plain.readString(), QStringLiteral("微软雅黑"));
    QCOMPARE(plain.readDouble(), 15.5);
    plain.readBool();
    plain.readBool();
    plain.readBool();
    QCOMPARE(plain.readString(), QString());
    QVERIFY(plain.ok() && plain.atEnd());
}

void tst_CommandDispatcherRows::settersChangeTheRecordOnly()
{
    PrivateShell shell;
    const QString folder = shell.loadAccount(QStringLiteral("alice"), FontConfig);
    const QByteArray before = TestEnvironment::readText(folder + QStringLiteral("/config.ini"));

    const QStringList replies{QStringLiteral("On my way"), QStringLiteral("稍后回复")};
    shell.ask(Command::SetFastReplyList, bytes(replies));
    shell.ask(Command::SetSendMessageKey, bytes(QStringLiteral("Ctrl+Enter")));
    shell.ask(Command::SetAutoReplyList, bytes(QStringList{QStringLiteral("away")}));
    PayloadReader list(shell.ask(Command::FastReplyList));
    QCOMPARE(list.readStringList(), replies);
    QCOMPARE(readString(shell.ask(Command::SendMessageKey)), QStringLiteral("Ctrl+Enter"));
    QCOMPARE(shell.settings.settings().autoReplyList, QStringList{"away"});
    QCOMPARE(TestEnvironment::readText(folder + QStringLiteral("/config.ini")), before);
}

void tst_CommandDispatcherRows::messageSyncIsStoredAsItsReadersReadIt()
{
    PrivateShell shell;
    {
        LogCapture log;
        log.clear();
        shell.ask(Command::SetMessageSync, bytes(true));
        QVERIFY(log.contains(QStringLiteral("before any account")));
    }
    const QString folder = shell.loadAccount(QStringLiteral("alice"), FontConfig);
    const QStringList replies{QStringLiteral("kept")};
    shell.ask(Command::SetFastReplyList, bytes(replies));

    const QString config = folder + QStringLiteral("/config.ini");
    shell.ask(Command::SetMessageSync, bytes(true));
    QCOMPARE(QSettings(config, QSettings::IniFormat).value("msgSetting/msgSync").toString(),
             QStringLiteral("1"));
    QCOMPARE(shell.settings.settings().msgSync, QStringLiteral("1"));
    shell.ask(Command::SetMessageSync, bytes(false));
    QCOMPARE(QSettings(config, QSettings::IniFormat).value("msgSetting/msgSync").toString(),
             QStringLiteral("0"));
    QCOMPARE(shell.settings.settings().msgSync, QStringLiteral("0"));

    // The rest of the file and the values set at run time are untouched.
    QCOMPARE(shell.settings.chatFontFamily(), QStringLiteral("Noto Sans"));
    PayloadReader list(shell.ask(Command::FastReplyList));
    QCOMPARE(list.readStringList(), replies);
}

void tst_CommandDispatcherRows::signalRowsEmitInOrder()
{
    PrivateShell shell;
    QStringList order;
    MainSignalSender &hub = shell.signalSender;
    connect(&hub, &MainSignalSender::signal_disConnectNet, this,
            [&](bool flag) { order << QStringLiteral("disConnectNet %1").arg(flag); });
    connect(&hub, &MainSignalSender::signal_disConnectNetForSys, this,
            [&] { order << QStringLiteral("disConnectNetForSys"); });
    connect(&hub, &MainSignalSender::signal_login, this,
            [&] { shell.calls.lines << "signal_login"; });
    QSignalSpy logout(&hub, &MainSignalSender::signal_logout);
    QSignalSpy connected(&hub, &MainSignalSender::signal_isConnected);
    QSignalSpy missing(&hub, &MainSignalSender::signal_notifyMissingCallCount);
    QSignalSpy labels(&hub, &MainSignalSender::signal_labelrequest);

    shell.ask(Command::NetworkDisconnected, bytes(true));
    QCOMPARE(order, (QStringList{"disConnectNet 1", "disConnectNetForSys"}));

    const QString folder = shell.loadAccount(QStringLiteral("me"));
    shell.ask(Command::SetOwnJid, bytes(QStringLiteral("me@x/pc")));
    shell.ask(Command::LoginCompleted, bytes(QStringLiteral("unused")));
    shell.cache.setAccountRecord({"acc", "password", "", "", ""});
    shell.ask(Command::LoggedOut);
    QCOMPARE(shell.calls.lines, (QStringList{"loggedIn me@x/pc " + folder, "loginCompleted",
                                             "signal_login", "checkFreeDiskSpace", "userChanged"}));
    QCOMPARE(logout.count(), 1);
    QVERIFY(shell.cache.accountRecord()[1].isEmpty()); // no password left for the next user

    shell.ask(Command::ConnectionState, bytes(true));
    shell.ask(Command::ConnectionLost);
    QCOMPARE(connected.count(), 2);
    QCOMPARE(connected.at(0).at(0).toBool(), true);
    QCOMPARE(connected.at(1).at(0).toBool(), false);

    shell.ask(Command::MissedCallCount, bytes(4));
    shell.ask(Command::ClearMissedCallCount);
    QCOMPARE(missing.count(), 2);
    QCOMPARE(missing.at(0).at(0).toInt(), 4);
    QCOMPARE(missing.at(1).at(0).toInt(), 0);

    shell.ask(Command::LabelRequest,
              bytes(QStringLiteral("f@x"), QStringLiteral("label"), QStringLiteral("m1"), true));
    QCOMPARE(labels.count(), 1);
    QCOMPARE(labels.at(0), (QVariantList{"f@x", "label", "m1", true}));
}

void tst_CommandDispatcherRows::mainWindowRowsWaitForTheMainWindow()
{
    PrivateShell shell;
    shell.mainWindow.presence = 4;
    shell.ask(Command::StartMainWindow, bytes(1));
    shell.ask(Command::StatusLine, bytes(QStringLiteral("status before")));
    PayloadReader none(shell.ask(Command::MainWindowPresence));
    QCOMPARE(none.readInt(), 0);
    QVERIFY(none.ok());
    QVERIFY(shell.calls.lines.isEmpty());
    // The common functions keep the status line even without a window to show it.
    QCOMPARE(CommonFun::statusText(), QStringLiteral("status before"));

    shell.mainWindow.exists = true;
    shell.ask(Command::StartMainWindow, bytes(1));
    shell.ask(Command::StatusLine, bytes(QStringLiteral("status")));
    PayloadReader presence(shell.ask(Command::MainWindowPresence));
    QCOMPARE(presence.readInt(), 4);
    QCOMPARE(shell.calls.lines, (QStringList{"mainWindowLoggedIn 1", "setStatusLine status"}));
    QCOMPARE(CommonFun::statusText(), QStringLiteral("status"));
}

void tst_CommandDispatcherRows::unreadBadge_data()
{
    QTest::addColumn<int>("unread");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << 0 << QString();
    QTest::newRow("negative") << -1 << QString();
    QTest::newRow("one") << 1 << QStringLiteral("1");
    QTest::newRow("99") << 99 << QStringLiteral("99");
    QTest::newRow("100") << 100 << QStringLiteral("99+");
    QTest::newRow("max") << std::numeric_limits<int>::max() << QStringLiteral("99+");
}

void tst_CommandDispatcherRows::unreadBadge()
{
    QFETCH(int, unread);
    QFETCH(QString, text);
    QCOMPARE(SessionCommands::badgeText(unread), text);
}

void tst_CommandDispatcherRows::headImages()
{
    PrivateShell shell;
    const QString folder = shell.loadAccount(QStringLiteral("alice"));
    QImage image(8, 8, QImage::Format_ARGB32);
    image.fill(Qt::red);
    const QPixmap picture = QPixmap::fromImage(image);
    const QString url = QStringLiteral("http://img.example/heads/f.png");
    const auto save = [&](int width, int height, const void *object) {
        return readString(
            shell.ask(Command::SaveHeadImage, bytes(url, QStringLiteral("f@x"), width, height, At{object})));
    };

    LogCapture log;
    log.clear();
    const int tooLarge = ContactCommands::MaxHeadImageSide + 1;
    for (const auto &size : {QSize(0, 20), QSize(20, -5), QSize(tooLarge, 20), QSize(20, tooLarge)})
        QCOMPARE(save(size.width(), size.height(), &picture), QString());
    QCOMPARE(save(20, 20, nullptr), QString());
    QVERIFY(!QDir(folder + QStringLiteral("/designHeadImage")).exists());

    const QString saved = save(20, 16, &picture);
    QCOMPARE(saved, folder + QStringLiteral("/designHeadImage/f.png"));
    QCOMPARE(QImage(saved).size(), QSize(20, 16));

    // The path the same values name, in the current account or a named one.
    const auto path = [&](const QString &account) {
        return readString(shell.ask(Command::HeadImagePath, bytes(url, 20, QStringLiteral("f@x"), account)));
    };
    QCOMPARE(path(QString()), saved);
    QCOMPARE(path(QStringLiteral("bob")),
             shell.settings.messageFilePath() + QStringLiteral("/bob/designHeadImage/f.png"));
    QCOMPARE(path(QStringLiteral("../escape")), QString());
}

void tst_CommandDispatcherRows::notices()
{
    PrivateShell shell;
    const QList<NoticeRecord> empty;
    shell.ask(Command::NoticeFromList, bytes(QStringLiteral("n@x"), At{&empty}));
    QVERIFY(shell.calls.lines.isEmpty());

    NoticeRecord first;
    first.text = QStringLiteral("first text");
    NoticeRecord second;
    second.text = QStringLiteral("second text");
    const QList<NoticeRecord> two{first, second};
    shell.ask(Command::NoticeFromList, bytes(QStringLiteral("n@x"), At{&two}));
    shell.ask(Command::NoticeFromRecord, bytes(QStringLiteral("m@x"), QStringLiteral("unused"), At{&second}));
    shell.ask(Command::NoticeFromRecord, bytes(QStringLiteral("m@x"), QStringLiteral("unused"), At{nullptr}));
    QCOMPARE(shell.calls.lines, (QStringList{"trayShakeByNotice n@x first text false",
                                               "trayShakeByNotice m@x second text false"}));

    // A notice without a message: the time in the fourth string, message type 12.
    shell.calls.lines.clear();
    shell.ask(Command::NoticeWithTime, bytes(QStringLiteral("t@x"), QStringLiteral("2024-01-02 03:04:05")));
    QCOMPARE(shell.calls.lines, QStringList{"trayShakeByMessage t@x"});
    const MessageData built = shell.calls.messages.last();
    QCOMPARE(built.time, QStringLiteral("2024-01-02 03:04:05"));
    QCOMPARE(built.type, 12);
    QVERIFY(built.ownerJid.isEmpty() && built.fromJid.isEmpty() && built.text.isEmpty());
}

// The other tray and unread-box rows are driven through the real entries in their own tests.
void tst_CommandDispatcherRows::mobileLogIn()
{
    PrivateShell shell;
    shell.ask(Command::MobileLoggedIn);
    shell.ask(Command::MobileLoggedOut);
    QCOMPARE(shell.calls.lines, (QStringList{"showMobileLogin 1 true", "showMobileLogin 1 false"}));
}

void tst_CommandDispatcherRows::skins()
{
    PrivateShell shell;
    QSignalSpy changes(&shell.signalSender, &MainSignalSender::signal_skinChange);
    auto skin = std::make_unique<SysUIData>();
    skin->packId = QStringLiteral("Blue");
    skin->backgroundOpacity = 120;
    shell.ask(Command::SkinChange, bytes(At{skin.get()}));
    shell.ask(Command::SetCurrentSkin, bytes(At{skin.get()}));
    skin.reset();
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.at(0).at(0).value<SysUIData>().packId, QStringLiteral("Blue"));
    QCOMPARE(shell.settings.currentSkin().packId, QStringLiteral("Blue"));
    PayloadReader opacity(shell.ask(Command::SkinOpacity));
    QCOMPARE(opacity.readInt(), 120);
}

QTEST_MAIN(tst_CommandDispatcherRows)
#include "tst_CommandDispatcherRows.moc"
