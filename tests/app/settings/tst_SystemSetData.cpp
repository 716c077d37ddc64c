#include "TestEnvironment.h"
#include "app/settings/SystemSetData.h"
#include "app/CrashPacker.h"
#include "LogCapture.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QtTest>

#include <sys/stat.h>

class tst_SystemSetData : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void commonData();
    void missingConfigGivesNormalisedDefaults();
    void normalisationsAndWriteBacks();
    void damagedConfigIsLeftAlone();
    void changeOfUserResetsEverything();
    void unusableAccountNames();
    void transferPath();
    void choicesReachFileAndRecord();
    void logInfoIsPrivateAndReadableByTheCrashPath();

private:
    QString configOf(const QString &account) const
    {
        return m_env->home() + "/files/" + account + "/config.ini";
    }
    SystemSetData *loaded()
    {
        auto *data = new SystemSetData(this);
        TestEnvironment::writeText(m_env->home() + "/IMInfo.ini",
                                   ("[msgSetting]\nmsgfilepath=" + m_env->home() + "/files\n").toUtf8());
        data->initCommonData(m_env->home() + "/IMInfo.ini");
        return data;
    }
    TestEnvironment *m_env = nullptr;
};

void tst_SystemSetData::init()
{
    m_env = new TestEnvironment;
}

void tst_SystemSetData::cleanup()
{
    delete m_env;
    m_env = nullptr;
}

void tst_SystemSetData::commonData()
{
    SystemSetData data;
    const QString ini = m_env->home() + "/IMInfo.ini";
    TestEnvironment::writeText(ini, "[msgSetting]\nSaveToRoot=1\nSaveToMyDoc=0\nmsgfilepath="
                                        + (m_env->home() + "/a/b/c").toUtf8() + "\n");
    data.initCommonData(ini);
    QCOMPARE(data.saveToRoot(), QStringLiteral("1"));
    QCOMPARE(data.saveToMyDoc(), QStringLiteral("0"));
    QCOMPARE(data.saveToMyChosen(), QString());
    QCOMPARE(data.messageFilePath(), m_env->home() + "/a/b/c");
    QVERIFY(QFileInfo(m_env->home() + "/a/b/c").isDir()); // every missing parent made

    TestEnvironment::writeText(ini, "[msgSetting]\nmsgfilepath=\n");
    data.initCommonData(ini);
    QCOMPARE(data.messageFilePath(), m_env->home() + "/Documents/TavrinImFiles");
    QVERIFY(QFileInfo(data.messageFilePath()).isDir());
}

void tst_SystemSetData::missingConfigGivesNormalisedDefaults()
{
    SystemSetData *data = loaded();
    QStringList skinFolders;
    data->setSkinLoader([&](const QString &folder) { skinFolders.append(folder); });
    QVERIFY(data->loadAccount("zhangsan"));
    const AccountSettings &s = data->settings();
    QCOMPARE(s.skinFolder, QStringLiteral("Default"));
    QCOMPARE(skinFolders, QStringList{"Default"});
    QVERIFY(s.paintPicture);
    QCOMPARE(data->chatFontSize(), 12.0);
    QVERIFY(!data->textColor().isValid());
    QCOMPARE(s.defaultTransferPath, m_env->home() + "/Documents/TavrinImFiles/zhangsan/fileRec");
    // Reading a missing file does not create it.
    QVERIFY(!QFile::exists(configOf("zhangsan")));
}

void tst_SystemSetData::normalisationsAndWriteBacks()
{
    TestEnvironment::writeText(configOf("li"),
        "[SkinSetting]\nBGAlpha=100\nWhiteAlpha=50\nSkinFolder=Weather\n"
        "[IconSetting]\nHeadType=2\nL_HeadType=3\n"
        "[chatFontSetting]\nfontsize=0\ntextcolor=#ff0000\nisbold=true\nfontfamily=Noto\n"
        "[hotkeySetting]\nSnapHide=0\nSendMsgFastkey=Ctrl+Enter\n"
        "[statusSetting]\nAutoReplyStr=\"busy, later\"\nBusyAutoReplyStr=a,b\nFastReplyList=ok, thanks, bye\n"
        "[msgSetting]\nshowAllRoom=1\nairBubbleMode=0\ntransfilepath=0\n"
        "[basicSetting]\nautoLogin=1\n");
    SystemSetData *data = loaded();
    QVERIFY(data->loadAccount("li"));
    const AccountSettings &s = data->settings();
    QVERIFY(!s.paintPicture);
    QCOMPARE(s.headType, 2);
    QCOMPARE(s.lHeadType, 1);
    QCOMPARE(data->chatFontSize(), 12.0);
    QCOMPARE(data->chatFontFamily(), QStringLiteral("Noto"));
    QCOMPARE(data->textColor(), QColor(Qt::red));
    QCOMPARE(s.snapHide, QStringLiteral("0"));
    QCOMPARE(s.sendMsgFastkey, QStringLiteral("Ctrl+Enter"));
    QCOMPARE(s.autoReplyStr, QStringLiteral("busy, later"));
    QCOMPARE(s.busyAutoReplyStr, QStringLiteral("a,b"));
    QCOMPARE(s.fastReplyList, (QStringList{"ok", "thanks", "bye"}));
    QVERIFY(s.showAllRoom);
    QVERIFY(!s.airBubbleMode);
    QCOMPARE(s.autoLogin, QStringLiteral("1"));

    const QSettings after(configOf("li"), QSettings::IniFormat);
    QVERIFY(!after.contains("SkinSetting/BGAlpha"));
    QVERIFY(!after.contains("SkinSetting/WhiteAlpha"));
    QCOMPARE(after.value("SkinSetting/AlphaBackground").toString(), QStringLiteral("255"));
    QCOMPARE(after.value("SkinSetting/AlphaWhite").toString(), QStringLiteral("230"));
    QCOMPARE(after.value("basicSetting/autoLogin").toString(), QStringLiteral("1"));

    TestEnvironment::writeText(configOf("li"), "[SkinSetting]\nSkinFolder=Blue\nBPaintPic=maybe\n"
                                               "[chatFontSetting]\nfontsize=14.5\ntextcolor=navy\n");
    QVERIFY(data->loadAccount("li"));
    QVERIFY(!data->settings().paintPicture); // neither "true" nor "false": the default stands
    QCOMPARE(data->chatFontSize(), 14.5);
    QCOMPARE(data->textColor(), QColor("navy"));
}

void tst_SystemSetData::damagedConfigIsLeftAlone()
{
    const QByteArray damaged("\x00\x01\xff[Skin\nSetting]=\n[[[\nBGAlpha", 29);
    TestEnvironment::writeText(configOf("wang"), damaged);
    SystemSetData *data = loaded();
    QVERIFY(data->loadAccount("wang"));
    QCOMPARE(data->settings().skinFolder, QStringLiteral("Default"));
    QCOMPARE(TestEnvironment::readText(configOf("wang")), damaged);
    // Qt reports the damage to the first parse only; a reload must still see it.
    QVERIFY(data->loadAccount("wang"));
    QCOMPARE(TestEnvironment::readText(configOf("wang")), damaged);

    // A line without "=" inside a section shows only once that section is read.
    const QByteArray badLine("[SkinSetting]\nSkinFolder=Blue\nno equals sign\n");
    TestEnvironment::writeText(configOf("li"), badLine);
    QVERIFY(data->loadAccount("li"));
    QCOMPARE(data->settings().skinFolder, QStringLiteral("Default"));
    QCOMPARE(TestEnvironment::readText(configOf("li")), badLine);
}

void tst_SystemSetData::changeOfUserResetsEverything()
{
    TestEnvironment::writeText(configOf("first"), "[SkinSetting]\nBPaintPic=true\n[statusSetting]\n"
                                                  "AutoReplyStr=away\n[IconSetting]\nHeadType=4\n");
    TestEnvironment::writeText(configOf("second"), "[SkinSetting]\nBPaintPic=unclear\n");
    SystemSetData *data = loaded();
    QVERIFY(data->loadAccount("first"));
    QVERIFY(data->settings().paintPicture);
    data->setFastReplyStr("set at run time");
    QVERIFY(data->loadAccount("second"));
    QVERIFY(!data->settings().paintPicture);
    QCOMPARE(data->settings().autoReplyStr, QString());
    QCOMPARE(data->settings().headType, 0);
    QCOMPARE(data->settings().fastReplyStr, QString());
    QCOMPARE(data->account(), QStringLiteral("second"));
}

void tst_SystemSetData::unusableAccountNames()
{
    SystemSetData *data = loaded();
    QVERIFY(data->loadAccount("ok"));
    for (const QString &bad : {QString(), QStringLiteral(" "), QStringLiteral("../x"), QStringLiteral("a/b"),
                               QStringLiteral("a\\b"), QStringLiteral("..")}) {
        QVERIFY2(!data->loadAccount(bad), qPrintable(bad));
        QCOMPARE(data->account(), QString());
        QCOMPARE(data->accountFolder(), QString());
        QCOMPARE(data->transferPath(), m_env->home() + "/Documents/TavrinImFiles");
    }
    QVERIFY(!QFileInfo::exists(m_env->root() + "/x"));
    QVERIFY(data->loadAccount("zq.li@corp"));
}

void tst_SystemSetData::transferPath()
{
    SystemSetData *data = loaded();
    const QString documents = m_env->home() + "/Documents/TavrinImFiles";
    QCOMPARE(data->transferPath(), documents);
    QVERIFY(!QFileInfo::exists(documents + "/fileRec"));

    QVERIFY(data->loadAccount("li"));
    QCOMPARE(data->transferPath(), documents + "/li/fileRec");
    QVERIFY(QFileInfo(documents + "/li/fileRec").isDir());

    TestEnvironment::writeText(configOf("zero"), "[msgSetting]\ntransfilepath=0\n");
    QVERIFY(data->loadAccount("zero"));
    QCOMPARE(data->transferPath(), QStringLiteral("0"));
    QVERIFY(!QFileInfo::exists(QDir::currentPath() + "/0"));

    const QString chosen = m_env->root() + "/deep/er/path";
    TestEnvironment::writeText(configOf("chosen"), ("[msgSetting]\ntransfilepath=" + chosen + "\n").toUtf8());
    QVERIFY(data->loadAccount("chosen"));
    QCOMPARE(data->transferPath(), chosen);
    QVERIFY(QFileInfo(chosen).isDir());
}

void tst_SystemSetData::choicesReachFileAndRecord()
{
    SystemSetData *data = loaded();
    LogCapture log;
    // No account yet: nothing is written anywhere, not even under the working directory.
    QVERIFY(!data->setMainWindowWarn("1"));
    QVERIFY(!data->setLoginPresence(4));
    QVERIFY(!data->writeLogInfo({"u", "k", "n", "j"}));
    QVERIFY(log.contains("no account loaded"));
    QCOMPARE(data->settings().mainWindowWarn, QString());
    QVERIFY(!QFileInfo::exists(QDir::currentPath() + "/config.ini"));

    QVERIFY(data->loadAccount("li"));
    QVERIFY(data->setMainWindowWarn("1"));
    QVERIFY(data->setCloseMainWindow("0"));
    QVERIFY(data->setHideMainWindow("1"));
    QVERIFY(data->setLoginPresence(5));
    QCOMPARE(data->settings().hideMainWindow, QStringLiteral("1"));
    // What was written is what the next log-in loads.
    QVERIFY(data->loadAccount("li"));
    const AccountSettings &s = data->settings();
    QCOMPARE(s.mainWindowWarn, QStringLiteral("1"));
    QCOMPARE(s.closeMainWindow, QStringLiteral("0"));
    QCOMPARE(s.hideMainWindow, QStringLiteral("1"));
    QCOMPARE(s.autoLoginStatus, QStringLiteral("5"));

    // An unwritable file: the record keeps its value rather than claim what the file lacks.
    QVERIFY(QDir().mkpath(configOf("blocked")));
    QVERIFY(data->loadAccount("blocked"));
    QVERIFY(!data->setMainWindowWarn("1"));
    QCOMPARE(data->settings().mainWindowWarn, QString());
}

void tst_SystemSetData::logInfoIsPrivateAndReadableByTheCrashPath()
{
    SystemSetData *data = loaded();
    QVERIFY(data->loadAccount("li"));
    const QString path = data->logInfoPath();
    TestEnvironment::writeText(path, "[LogInfo]\nuid=old\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::ReadGroup);

    QVERIFY(data->writeLogInfo({"u1", "secret key", "张三", "li@corp"}));
    struct stat info {};
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &info), 0);
    QCOMPARE(info.st_mode & 0777, mode_t(0600));
    const CrashPacker::Credentials read = CrashPacker::readCredentials(data->accountFolder());
    QCOMPARE(read.uid, QStringLiteral("u1"));
    QCOMPARE(read.key, QStringLiteral("secret key"));
    QCOMPARE(read.username, QStringLiteral("张三"));
    QCOMPARE(read.jid, QStringLiteral("li@corp"));

    QVERIFY(data->clearLogInfo());
    QCOMPARE(CrashPacker::readCredentials(data->accountFolder()).key, QString());
}

QTEST_GUILESS_MAIN(tst_SystemSetData)
#include "tst_SystemSetData.moc"
