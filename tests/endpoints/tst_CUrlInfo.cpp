#include "LogCapture.h"
#include "TestEnvironment.h"
#include "endpoints/CUrlInfo.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QSettings>
#include <QUrl>
#include <QtTest>

using SipMap = QMap<QString, QString>;

// Files are written as raw text: QSettings::setValue would quote "a,b" and hide the list problem.
class tst_CUrlInfo : public QObject
{
    Q_OBJECT
private slots:
    void missingOrUnreadableFileGivesDefaults();
    void emptyValuesFallBackToDefaults();
    void commaValuesAreJoinedBack();
    void sipRangesStayLists_data();
    void sipRangesStayLists();
    void portalLinkEncodesItsParts_data();
    void portalLinkEncodesItsParts();
    void templateGettersFillTheirArgument();
    void upgradePortIsANumberOrZero_data();
    void upgradePortIsANumberOrZero();
    void badContentIsLoggedAndSkipped();
    void utf8TextWithOrWithoutBom();
    void reloadLeavesNoStaleValues();
    void processWideInstanceReadsTheApplicationDirectory();
    void shippedFileIsCompleteAndHarmless();

private:
    CUrlInfo loaded(const QByteArray &text, bool *ok = nullptr);
    TestEnvironment m_env;
};

CUrlInfo tst_CUrlInfo::loaded(const QByteArray &text, bool *ok)
{
    const QString path = m_env.root() + "/allurl.ini";
    [&] { QVERIFY(TestEnvironment::writeText(path, text)); }();
    CUrlInfo urls;
    const bool read = urls.load(path);
    if (ok)
        *ok = read;
    return urls;
}

namespace {
void verifyDefaults(const CUrlInfo &urls)
{
    const QString app = CUrlInfo::appHost();
    const QString monitor = CUrlInfo::monitorHost();
    QCOMPARE(urls.SalUploadpointurl(), app + "/offlinefile/im/getuploadurl.do");
    QCOMPARE(urls.SalQueryobjectidurl(), app + "/offlinefile/im/getobjectid.do");
    QCOMPARE(urls.SalTransmitfileurl(), app + "/offlinefile/im/fileForward.do");
    QCOMPARE(urls.LoguploadRegularUpload(), app + "/IMuserAPI/v1/imlog/setloginfo");
    QCOMPARE(urls.LoguploadMonitorPerf(), monitor + "/perfSDK.gif");
    QCOMPARE(urls.LoguploadMonitorCrash(), monitor + "/crashSDK.gif");
    QCOMPARE(urls.LoguploadMotitorCustom(), monitor + "/customSDK.gif");
    QCOMPARE(urls.UpgradePort(), 0);
    QCOMPARE(urls.UpgradeTheurl(), QString());
    QCOMPARE(urls.VcardLoadurl(), QString());
    QCOMPARE(urls.OaurlTheurl("user"), QString());
    QVERIFY(urls.pluginNames().isEmpty());
    QCOMPARE(urls.SipphoneDomain(), (SipMap{{"000000", CUrlInfo::defaultSipDomain()}}));
    const QList<CUrlInfo::AppBoxEntry> tiles = urls.appBoxEntries();
    QCOMPARE(tiles.size(), 11);
    for (const CUrlInfo::AppBoxEntry &tile : tiles)
        QVERIFY(tile.url.isEmpty() && tile.icon.isEmpty() && tile.name.isEmpty());
}
}

void tst_CUrlInfo::missingOrUnreadableFileGivesDefaults()
{
    LogCapture log;
    log.clear();
    CUrlInfo fresh;
    verifyDefaults(fresh);

    CUrlInfo urls;
    const QString missing = m_env.root() + "/nowhere/allurl.ini";
    QVERIFY(!urls.load(missing));
    QCOMPARE(urls.path(), missing);
    verifyDefaults(urls);
    QVERIFY(log.contains("not readable at " + missing));

    QVERIFY(!urls.load(m_env.root()));
    verifyDefaults(urls);

    const QString huge = m_env.root() + "/huge.ini";
    QVERIFY(TestEnvironment::writeText(huge, "[upgrade]\nport=1\n" + QByteArray(2 * 1024 * 1024, ';')));
    QVERIFY(!urls.load(huge));
    verifyDefaults(urls);
    QVERIFY(log.contains("bytes: built-in defaults used"));
}

void tst_CUrlInfo::emptyValuesFallBackToDefaults()
{
    LogCapture log;
    log.clear();
    bool ok = false;
    const CUrlInfo urls = loaded("[sal]\nuploadpointurl=\nqueryobjectidurl=\"   \"\ntransmitfileurl=\"\"\n"
                                 "[logupload]\nmonitorPerf=\nmonitorCrash= \nmotitorCustom=\nregularUpload=\n"
                                 "[upgrade]\nport=\ntheurl=\n[plugins]\ndlls=\n"
                                 "[sipphone]\ndomain0=\nnumrange0=100\n[oaurl]\ntheurl=\ntarurl=x\n",
                                 &ok);
    QVERIFY(ok);
    verifyDefaults(urls);
    QVERIFY(log.contains("keys missing or empty, built-in defaults used for /sal/uploadpointurl, "
                         "/sal/queryobjectidurl, /logupload/regularUpload"));
    QVERIFY(log.contains("/sipphone/domain0"));
    QVERIFY(!log.contains("wrong kind"));
}

void tst_CUrlInfo::commaValuesAreJoinedBack()
{
    const QByteArray text = "[vcard]\nloadurl=https://h.example.invalid/v?ids=1,2,3\n"
                            "[logupload]\nmonitorPerf=https://m.example.invalid/p.gif?a=1, b=2\n"
                            "[upgrade]\nip=10.0.0.1,10.0.0.2\n"
                            "[roster]\nmodifygroupurl=https://h.example.invalid/g?ids=%1,9\n"
                            "[oaurl]\ntheurl=https://oa.example.invalid/sso?u=%1,v&t=\n"
                            "tarurl=https://oa.example.invalid/home?tabs=a,b\n"
                            "[Cloud]\nqueryclouduser=https://c.example.invalid/u?f=a,b\n"
                            "[mail]\nname=邮件,日历\n"
                            "[plugins]\ndlls=alpha.so , bravo.so\n";
    const CUrlInfo urls = loaded(text);
    // Guards the test itself: these must reach the reader as lists.
    const QSettings raw(m_env.root() + "/allurl.ini", QSettings::IniFormat);
    QCOMPARE(raw.value("vcard/loadurl").typeId(), int(QMetaType::QStringList));
    QCOMPARE(raw.value("upgrade/ip").typeId(), int(QMetaType::QStringList));

    QCOMPARE(urls.VcardLoadurl(), QString("https://h.example.invalid/v?ids=1,2,3"));
    QCOMPARE(urls.LoguploadMonitorPerf(), QString("https://m.example.invalid/p.gif?a=1,b=2"));
    QCOMPARE(urls.UpgradeIp(), QString("10.0.0.1,10.0.0.2"));
    QCOMPARE(urls.RosterModifygroupurl("42"), QString("https://h.example.invalid/g?ids=42,9"));
    QCOMPARE(urls.OaurlTheurl("u"),
             QString("https://oa.example.invalid/sso?u=u,v&t=https%3A%2F%2Foa.example.invalid%2Fhome%3Ftabs%3Da%2Cb"));
    QCOMPARE(urls.QueryCloudAccountDataUrl(), QString("https://c.example.invalid/u?f=a,b"));
    QCOMPARE(urls.appBoxEntries().at(0).name, QString("邮件,日历"));
    QCOMPARE(urls.pluginNames(), (QStringList{"alpha.so", "bravo.so"}));

    QCOMPARE(CUrlInfo::textValue(QStringList{"a", "b"}), QString("a,b"));
    QCOMPARE(CUrlInfo::textValue(QString("a")), QString("a"));
    QCOMPARE(CUrlInfo::textValue(QVariant()), QString());
}

void tst_CUrlInfo::sipRangesStayLists_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<SipMap>("expected");
    const QString fallback = CUrlInfo::defaultSipDomain();
    QTest::newRow("two ranges, one domain")
        << QByteArray("domain0=d0\nnumrange0=100, 200\n") << SipMap{{"100", "d0"}, {"200", "d0"}};
    QTest::newRow("quoted list is split too")
        << QByteArray("domain0=d0\nnumrange0=\"100,200\"\n") << SipMap{{"100", "d0"}, {"200", "d0"}};
    QTest::newRow("domain without ranges serves all")
        << QByteArray("domain0=d0\n") << SipMap{{"000000", "d0"}};
    QTest::newRow("later domain overwrites a range")
        << QByteArray("domain0=d0\nnumrange0=100,200\ndomain1=d1\nnumrange1=200,300\n")
        << SipMap{{"100", "d0"}, {"200", "d1"}, {"300", "d1"}};
    QTest::newRow("domain without ranges ends the walk")
        << QByteArray("domain0=d0\nnumrange0=100\ndomain1=d1\ndomain2=d2\nnumrange2=300\n")
        << SipMap{{"100", "d0"}, {"000000", "d1"}};
    QTest::newRow("a gap ends the walk")
        << QByteArray("domain0=d0\nnumrange0=100\ndomain2=d2\nnumrange2=300\n") << SipMap{{"100", "d0"}};
    QTest::newRow("blank ranges are dropped")
        << QByteArray("domain0=d0\nnumrange0=100,,\" \",200\n") << SipMap{{"100", "d0"}, {"200", "d0"}};
    QTest::newRow("comma in a domain is kept")
        << QByteArray("domain0=d0,x\nnumrange0=100\n") << SipMap{{"100", "d0,x"}};
    QTest::newRow("nothing configured") << QByteArray("numrange0=100\n") << SipMap{{"000000", fallback}};
}

void tst_CUrlInfo::sipRangesStayLists()
{
    QFETCH(QByteArray, text);
    QFETCH(SipMap, expected);
    QCOMPARE(loaded("[sipphone]\n" + text).SipphoneDomain(), expected);
}

void tst_CUrlInfo::portalLinkEncodesItsParts_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << QByteArray("theurl=a?u=%1&t=\ntarurl=b c\n") << "x" << "a?u=x&t=b%20c";
    QTest::newRow("cjk, ampersand, space")
        << QByteArray("theurl=a?u=%1&t=\ntarurl=b c\n") << QString("张 三&co=1")
        << "a?u=%E5%BC%A0%20%E4%B8%89%26co%3D1&t=b%20c";
    // The encoded account holds "%2C" and "%252": filled one at a time they would take the target.
    QTest::newRow("two places, account not re-scanned")
        << QByteArray("theurl=a?u=%1&t=%2&v=1\ntarurl=https://t.example.invalid/p?q=a,b\n") << "x,y%2"
        << "a?u=x%2Cy%252&t=https%3A%2F%2Ft.example.invalid%2Fp%3Fq%3Da%2Cb&v=1";
    QTest::newRow("encoded space in template is no place")
        << QByteArray("theurl=a%20b?u=%1&t=\ntarurl=c\n") << "x" << "a%20b?u=x&t=c";
    QTest::newRow("no target") << QByteArray("theurl=a?u=%1\n") << "x" << "a?u=x";
    QTest::newRow("no place for the account") << QByteArray("theurl=a?t=\ntarurl=b\n") << "x" << "a?t=b";
    QTest::newRow("no template") << QByteArray("tarurl=b\n") << "x" << "";
    QTest::newRow("empty argument") << QByteArray("theurl=a?u=%1&t=\ntarurl=b\n") << "" << "a?u=&t=b";
}

void tst_CUrlInfo::portalLinkEncodesItsParts()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, argument);
    QFETCH(QString, expected);
    LogCapture log;
    log.clear();
    QCOMPARE(loaded("[oaurl]\n" + text).OaurlTheurl(argument), expected);
    QCOMPARE(log.contains("has no %1 for the account"), QByteArray(QTest::currentDataTag()) == "no place for the account");
}

void tst_CUrlInfo::templateGettersFillTheirArgument()
{
    LogCapture log;
    log.clear();
    const CUrlInfo urls = loaded("[roster]\ncontactsbygroupidurl=https://h.example.invalid/g/%1/c\n"
                                 "modifygroupurl=https://h.example.invalid/m?id=%1&x=%2\n"
                                 "deletegroupurl=https://h.example.invalid/d\n"
                                 "contactsurl=https://h.example.invalid/all?x=%1\n");
    QCOMPARE(urls.RosterContactsbygroupidurl("g-1"), QString("https://h.example.invalid/g/g-1/c"));
    QCOMPARE(urls.RosterModifygroupurl("%2"), QString("https://h.example.invalid/m?id=%2&x=%2"));
    QCOMPARE(urls.RosterDeletecontactsurl("7"), QString());
    QVERIFY(!log.contains("has no %1"));
    QCOMPARE(urls.RosterDeletegroupurl("7"), QString("https://h.example.invalid/d"));
    QVERIFY(log.contains("/roster/deletegroupurl has no %1"));
    // A plain text row keeps its marker: only template rows are filled.
    QCOMPARE(urls.RosterContactsurl(), QString("https://h.example.invalid/all?x=%1"));
}

void tst_CUrlInfo::upgradePortIsANumberOrZero_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("wrongKind");
    QTest::newRow("missing") << QByteArray("[upgrade]\nip=127.0.0.1\n") << 0 << false;
    QTest::newRow("no section") << QByteArray("[vcard]\nloadurl=x\n") << 0 << false;
    QTest::newRow("empty") << QByteArray("[upgrade]\nport=\n") << 0 << false;
    QTest::newRow("number") << QByteArray("[upgrade]\nport=8443\n") << 8443 << false;
    QTest::newRow("blanks around") << QByteArray("[upgrade]\nport=  8443  \n") << 8443 << false;
    QTest::newRow("quoted") << QByteArray("[upgrade]\nport=\"80\"\n") << 80 << false;
    QTest::newRow("letters") << QByteArray("[upgrade]\nport=abc\n") << 0 << true;
    QTest::newRow("trailing garbage") << QByteArray("[upgrade]\nport=80x\n") << 0 << true;
    QTest::newRow("list") << QByteArray("[upgrade]\nport=80,81\n") << 0 << true;
    QTest::newRow("overflow") << QByteArray("[upgrade]\nport=99999999999\n") << 0 << true;
    QTest::newRow("variant") << QByteArray("[upgrade]\nport=@Rect(1 2 3 4)\n") << 0 << true;
}

void tst_CUrlInfo::upgradePortIsANumberOrZero()
{
    QFETCH(QByteArray, text);
    QFETCH(int, expected);
    QFETCH(bool, wrongKind);
    LogCapture log;
    log.clear();
    QCOMPARE(loaded(text).UpgradePort(), expected);
    QCOMPARE(log.contains("/upgrade/port ("), wrongKind);
}

void tst_CUrlInfo::badContentIsLoggedAndSkipped()
{
    LogCapture log;
    log.clear();
    bool ok = false;
    const CUrlInfo urls = loaded("\x01\x02garbage=[[\nbad line here\n[broken\n"
                                 "[logupload]\nmonitorCrash=@Rect(1 2 3 4)\nmonitorPerf=@ByteArray(https://p.example.invalid/x)\n"
                                 "[vcard]\nloadurl=https://v.example.invalid/a?x=1;y=2\nupdateurl=\"https://v.example.invalid/b;c\"\n"
                                 "[upgrade]\nip=\xff\xfe\nport=8443\n",
                                 &ok);
    QVERIFY(ok);
    QCOMPARE(urls.LoguploadMonitorCrash(), CUrlInfo::monitorHost() + "/crashSDK.gif");
    QVERIFY(log.contains("wrong kind, defaults used: /logupload/monitorCrash (QRect)"));
    QCOMPARE(urls.LoguploadMonitorPerf(), QString("https://p.example.invalid/x"));
    QCOMPARE(urls.VcardLoadurl(), QString("https://v.example.invalid/a?x=1"));
    QCOMPARE(urls.VcardUpdateurl(), QString("https://v.example.invalid/b;c"));
    QVERIFY(log.contains("cut at an unquoted ';' (quote them to keep it): lines 8"));
    QVERIFY(log.contains("lines ignored, neither section nor key=value: 2, 3"));
    QVERIFY(log.contains("malformed"));
    QVERIFY(log.contains("not valid UTF-8"));
    QCOMPARE(urls.UpgradePort(), 8443);

    for (const QByteArray &junk : {QByteArray(), QByteArray("\0\0\0[\0=\0", 8), QByteArray("=\n=\n[]\n[a]\n=x\n"),
                                   QByteArray("\\\n\\\n"), QByteArray(4096, '\xc3')}) {
        QVERIFY(loaded(junk, &ok).UpgradePort() == 0);
        QVERIFY(ok);
        verifyDefaults(loaded(junk));
    }
}

void tst_CUrlInfo::utf8TextWithOrWithoutBom()
{
    for (const QByteArray &start : {QByteArray(), QByteArray("\xef\xbb\xbf")}) {
        const CUrlInfo urls = loaded(start + "[mail]\ntheurl=https://mail.example.invalid/收件箱\n"
                                             "bigicon=Resources/图标.png\nname=邮件\n"
                                             "[questionreport]\ntheurl=https://q.example.invalid/反馈\n");
        const CUrlInfo::AppBoxEntry mail = urls.appBoxEntries().at(0);
        QCOMPARE(mail.section, QString("mail"));
        QCOMPARE(mail.url, QString("https://mail.example.invalid/收件箱"));
        QCOMPARE(mail.icon, QString("Resources/图标.png"));
        QCOMPARE(mail.name, QString("邮件"));
        QCOMPARE(urls.QuestionreportTheurl(), QString("https://q.example.invalid/反馈"));
    }
}

void tst_CUrlInfo::reloadLeavesNoStaleValues()
{
    const QString path = m_env.root() + "/allurl.ini";
    QVERIFY(TestEnvironment::writeText(path, "[vcard]\nloadurl=https://v.example.invalid/\n[upgrade]\nport=8443\n"
                                             "[sal]\nuploadpointurl=https://s.example.invalid/\n[plugins]\ndlls=\"a.so,b.so\"\n"
                                             "[sipphone]\ndomain0=d0\nnumrange0=100\n[oaurl]\ntheurl=o?u=%1\n"
                                             "[mail]\ntheurl=https://mail.example.invalid/\n"));
    CUrlInfo urls;
    QVERIFY(urls.load(path));
    QCOMPARE(urls.UpgradePort(), 8443);
    QCOMPARE(urls.pluginNames(), (QStringList{"a.so", "b.so"}));

    const QString other = m_env.root() + "/other.ini";
    QVERIFY(TestEnvironment::writeText(other, "[modifypwd]\ntheurl=https://p.example.invalid/\n"));
    QVERIFY(urls.load(other));
    verifyDefaults(urls);
    QCOMPARE(urls.ModifypwdTheurl(), QString("https://p.example.invalid/"));
    QVERIFY(!urls.load(path + ".gone"));
    verifyDefaults(urls);
    QCOMPARE(urls.ModifypwdTheurl(), QString());

    // QSettings trusts a file whose size and time stamp are unchanged; pin both so a cached parse shows.
    const QDateTime stamp = QDateTime::currentDateTime().addSecs(-60);
    for (int round = 0; round < 4; ++round) {
        const QByteArray port = QByteArray::number(1000 + round);
        QVERIFY(TestEnvironment::writeText(path, "[upgrade]\nport=" + port + "\n[vcard]\nloadurl=v" + port + "\n"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(stamp, QFileDevice::FileModificationTime));
        file.close();
        QVERIFY(urls.load(path));
        QCOMPARE(urls.UpgradePort(), 1000 + round);
        QCOMPARE(urls.VcardLoadurl(), "v" + QString::fromLatin1(port));
    }
}

void tst_CUrlInfo::processWideInstanceReadsTheApplicationDirectory()
{
    QCOMPARE(CUrlInfo::instance()->path(), QCoreApplication::applicationDirPath() + "/allurl.ini");
}

void tst_CUrlInfo::shippedFileIsCompleteAndHarmless()
{
    const QString shipped = TestEnvironment::binDir() + "/allurl.ini";
    LogCapture log;
    log.clear();
    CUrlInfo urls;
    QVERIFY2(urls.load(shipped), qPrintable(shipped));
    for (const QString &line : log.lines())
        QVERIFY2(!line.contains("allurl.ini"), qPrintable(line));

    const QSettings raw(shipped, QSettings::IniFormat);
    for (const CUrlInfo::Row &row : CUrlInfo::rows()) {
        const QVariant value = raw.value(QLatin1String(row.key));
        // A comma list (the plug-in names) reads back as a string list.
        QVERIFY2((value.typeId() == QMetaType::QString && !value.toString().isEmpty())
                     || (value.typeId() == QMetaType::QStringList && !value.toStringList().isEmpty()),
                 row.key);
        if (row.kind == CUrlInfo::Kind::Template)
            QVERIFY2(value.toString().contains("%1"), row.key);
    }
    auto harmless = [](const QString &host) {
        return host == "127.0.0.1" || host == "localhost" || host == "::1" || host.endsWith(".example.invalid");
    };
    for (const QString &key : raw.allKeys()) {
        const QString value = CUrlInfo::textValue(raw.value(key));
        if (value.startsWith("http"))
            QVERIFY2(harmless(QUrl(value).host()), qPrintable(key + "=" + value));
    }
    QVERIFY(harmless(urls.UpgradeIp()));
    QVERIFY(urls.UpgradePort() > 0 && urls.UpgradePort() < 65536);
    // The shipped list names the reference pack, log-in first.
    QVERIFY(urls.pluginNames().size() > 1);
    QCOMPARE(urls.pluginNames().value(0), QStringLiteral("libloginmanager.so"));
    QVERIFY(urls.SipphoneDomain().size() > 1);
    for (const QString &domain : urls.SipphoneDomain())
        QVERIFY(harmless(domain));
    QVERIFY(urls.OaurlTheurl("张三").contains("%E5%BC%A0%E4%B8%89"));
    for (const CUrlInfo::AppBoxEntry &tile : urls.appBoxEntries())
        QVERIFY2(!tile.url.isEmpty() && !tile.icon.isEmpty() && !tile.name.isEmpty(), qPrintable(tile.section));
    for (const QString &host : {CUrlInfo::appHost(), CUrlInfo::monitorHost()})
        QVERIFY(harmless(QUrl(host).host()));
    QVERIFY(harmless(CUrlInfo::defaultSipDomain()));
}

QTEST_GUILESS_MAIN(tst_CUrlInfo)
#include "tst_CUrlInfo.moc"
