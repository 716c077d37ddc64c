#include "LogCapture.h"
#include "common/CommonFun.h"
#include "common/JidParts.h"

#include <QtTest>

class tst_JidParts : public QObject
{
    Q_OBJECT
private slots:
    void folderName_data();
    void folderName();
    void refusedNamesAreLogged();
    void splitKeepsTheParts();
    void usableFolderNames();
};

void tst_JidParts::folderName_data()
{
    QTest::addColumn<QString>("jid");
    QTest::addColumn<QString>("folder");

    QTest::newRow("plain") << "alice@corp.example/pc" << "alice";
    QTest::newRow("zq in the middle") << "lizqming@corp" << "liming";
    QTest::newRow("every zq, case after lower-casing") << "ZQaZqbzq@corp" << "ab";
    QTest::newRow("upper case") << "Alice.Wang@corp" << "alice.wang";
    QTest::newRow("non-ASCII lower-cased") << "ÄBC张三@corp" << "äbc张三";
    QTest::newRow("no at sign: the whole jid is the user") << "alice" << "alice";
    QTest::newRow("no at sign, with resource") << "Alice/pc" << "alice";
    QTest::newRow("slash in the resource only") << "bob@corp/a/b" << "bob";
    QTest::newRow("at sign after the slash is in the resource") << "bob/x@y" << "bob";

    QTest::newRow("empty") << "" << "";
    QTest::newRow("empty user") << "@corp" << "";
    QTest::newRow("empty domain") << "alice@" << "";
    QTest::newRow("empty resource") << "alice@corp/" << "";
    QTest::newRow("slash first") << "/alice@corp" << "";
    QTest::newRow("dot dot") << "..@corp" << "";
    QTest::newRow("dot") << ".@corp" << "";
    QTest::newRow("dot dot after removing zq") << ".zq.@corp" << "";
    QTest::newRow("only zq") << "zq@corp" << "";
    QTest::newRow("backslash") << "..\\evil@corp" << "";
    QTest::newRow("colon") << "c:evil@corp" << "";
    QTest::newRow("blank") << "a b@corp" << "";
    QTest::newRow("quote") << "a'b@corp" << "";
    QTest::newRow("control character") << QString("a\x1f" "b@corp") << "";
    QTest::newRow("control character in the resource") << QString("ab@corp/x\ny") << "";
    QTest::newRow("blank in the domain") << "ab@co rp" << "";
    QTest::newRow("direction override") << QString::fromUtf16(u"ali\u202Eecil@corp") << "";
    QTest::newRow("direction isolate") << QString::fromUtf16(u"\u2066alice@corp") << "";
    QTest::newRow("direction mark") << QString::fromUtf16(u"alice\u200F@corp") << "";
    QTest::newRow("override in the domain") << QString::fromUtf16(u"alice@co\u202Drp") << "";
    QTest::newRow("C1 control") << QString::fromUtf16(u"a\u0085b@corp") << "";
    QTest::newRow("lone high surrogate") << QString::fromUtf16(u"a\xD83D" u"b@corp") << "";
    QTest::newRow("lone low surrogate at the end") << QString::fromUtf16(u"ab\xDE00@corp") << "";
    QTest::newRow("surrogate pair is a character") << QString::fromUtf16(u"a\U0001F600@corp")
                                                   << QString::fromUtf16(u"a\U0001F600");
    QTest::newRow("1024-byte user") << QString(1024, QLatin1Char('a')) + "@corp" << "";
    QTest::newRow("1023-byte user") << QString(1023, QLatin1Char('a')) + "@corp" << QString(1023, QLatin1Char('a'));
    QTest::newRow("342 CJK characters are 1026 bytes") << QString(342, QChar(0x5F20)) + "@corp" << "";
}

void tst_JidParts::folderName()
{
    QFETCH(QString, jid);
    QFETCH(QString, folder);
    QCOMPARE(JidParts::jidToFolderName(jid), folder);
}

void tst_JidParts::refusedNamesAreLogged()
{
    LogCapture log;
    QCOMPARE(JidParts::jidToFolderName(QStringLiteral("..@corp")), QString());
    QVERIFY(log.contains(QStringLiteral("\"..@corp\"")));
    log.clear();
    QCOMPARE(JidParts::jidToFolderName(QString()), QString());
    QVERIFY(!log.lines().isEmpty());
}

void tst_JidParts::splitKeepsTheParts()
{
    const JidParts parts = JidParts::split(QStringLiteral("Bob@Corp.Example/Phone 2"));
    QVERIFY(parts.valid);
    QCOMPARE(parts.user, QStringLiteral("bob"));
    QCOMPARE(parts.domain, QStringLiteral("corp.example"));
    QCOMPARE(parts.resource, QStringLiteral("Phone 2"));

    const JidParts invalid = JidParts::split(QStringLiteral("a<b@corp/pc"));
    QVERIFY(!invalid.valid);
    QVERIFY(invalid.user.isEmpty() && invalid.domain.isEmpty() && invalid.resource.isEmpty());
}

QTEST_GUILESS_MAIN(tst_JidParts)
#include "tst_JidParts.moc"

void tst_JidParts::usableFolderNames()
{
    QVERIFY(CommonFun::isUsableFolderName(QStringLiteral("alice.wang")));
    QVERIFY(CommonFun::isUsableFolderName(QString::fromUtf16(u"张三\U0001F600")));
    for (const QString &name : {QString(), QStringLiteral(" "), QStringLiteral("a/b"), QStringLiteral("a\\b"),
                                QStringLiteral(".."), QStringLiteral("."), QStringLiteral("a\tb"),
                                QString::fromUtf16(u"a\u202Eb"), QString::fromUtf16(u"a\u2069"),
                                QString::fromUtf16(u"\u200Eab"), QString::fromUtf16(u"a\xDC00")})
        QVERIFY2(!CommonFun::isUsableFolderName(name), qPrintable(name.toUtf8().toHex()));
}
