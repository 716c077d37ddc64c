#include "LogCapture.h"
#include "TestEnvironment.h"
#include "common/ResourcePath.h"
#include "notify/MsgTemplates.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

namespace {

MessageData typed(int type)
{
    MessageData m;
    m.type = type;
    m.time = QStringLiteral("2026-03-04 10:20:30");
    m.fromName = QStringLiteral("Tom \"@TIME@\" <i>");
    return m;
}

void verifyNoScript(const QString &html)
{
    const QString lower = html.toLower();
    QVERIFY2(!lower.contains(QLatin1String("<script")), qPrintable(html));
    QVERIFY2(!lower.contains(QLatin1String("javascript:alert")), qPrintable(html));
    QVERIFY2(!lower.contains(QLatin1String("onerror=\"alert")), qPrintable(html));
    QVERIFY2(!lower.contains(QLatin1String("onmouseover")), qPrintable(html));
}

} // namespace

class tst_MsgTemplates : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ResourcePath::setBaseDir(TestEnvironment::binDir()); }

    void chatFragmentKeepsMarkupButNoScripts()
    {
        MessageData m = typed(0);
        m.color = QStringLiteral("red;background:url(http://evil.example/x)");
        m.text = QStringLiteral("<b>hi</b><script>alert(1)</script><img src=\"x.png\" onerror=\"alert(2)\">"
                                "<a href=\" JaVaScRiPt:alert(3)\">l</a><a href='https://ok.example'>ok</a>"
                                "<p onmouseover=alert(4)>p</p><SCRIPT src=x></SCRIPT>"
                                "<a href=\"&#106;ava&#x73;cript&#58;alert(5)\">e</a>");
        const QString html = MsgTemplates(QString()).fragment(m, QStringLiteral("unused"));
        verifyNoScript(html);
        QVERIFY(html.contains(QLatin1String("<b>hi</b>")));
        QVERIFY(html.contains(QLatin1String("<img src=\"x.png\">")));
        QVERIFY(html.contains(QLatin1String("href='https://ok.example'")));
        QVERIFY(!html.contains(QLatin1String("&#106;")));
        // The name is escaped once and its "@TIME@" is not a placeholder.
        QVERIFY(html.contains(QLatin1String("Tom &quot;@TIME@&quot; &lt;i&gt;")));
        QVERIFY(html.contains(QLatin1String("2026-03-04 10:20:30")));
        QVERIFY(html.contains(QLatin1String("color:#446B87")));
        m.color = QStringLiteral("#ff8800");
        QVERIFY(MsgTemplates(QString()).fragment(m, QString()).contains(QLatin1String("color:#ff8800")));
    }

    void shellHandlersSurvive()
    {
        const QString img = QStringLiteral("<img src=\"/p.png\" name=\"p.png\" fileid= \"f\" "
                                           "onload=\"javascript:resizeImg(this);\" "
                                           "onerror=\"javascript:replaceErrImg(this);\"/>");
        QCOMPARE(MsgTemplates::sanitizeHtml(img), img);
        QCOMPARE(MsgTemplates::sanitizeHtml(QStringLiteral("<img onload=\"javascript:resizeImg(this);alert(1)\">")),
                 QStringLiteral("<img>"));
    }

    void locationFragment()
    {
        MessageData m = typed(2);
        m.locationAddress = QStringLiteral("<script>x</script>人民路 1 号");
        m.locationUrl = QStringLiteral("javascript:alert(1)");
        QString html = MsgTemplates(QString()).fragment(m, QString());
        verifyNoScript(html);
        QVERIFY(html.contains(QStringLiteral("&lt;script&gt;x&lt;/script&gt;人民路 1 号")));
        QVERIFY(html.contains(QLatin1String("Tom &quot;@TIME@&quot;")));
        m.locationUrl = QStringLiteral("https://map.example/?q=1&z=2");
        html = MsgTemplates(QString()).fragment(m, QString());
        QVERIFY(html.contains(QLatin1String("https://map.example/?q=1&amp;z=2")));
    }

    void fileFragment()
    {
        MessageData m = typed(4);
        m.body = QStringLiteral("收到文件 <b>a.txt</b><img src=x onerror=alert(1)>");
        const QString html = MsgTemplates(QString()).fragment(m, QString());
        verifyNoScript(html);
        QVERIFY(html.contains(QLatin1String("<b>a.txt</b>")));
        QVERIFY(html.contains(QLatin1String("Tom &quot;@TIME@&quot;")));
    }

    void cardFragments()
    {
        TestEnvironment env;
        const QString folder = env.home() + QStringLiteral("/acct");
        QDir().mkpath(folder + QStringLiteral("/designHeadImage"));
        QImage(8, 8, QImage::Format_RGB32).save(folder + QStringLiteral("/designHeadImage/h1.png"));

        MessageData m = typed(5);
        m.strings11[0] = QStringLiteral("Card");
        m.strings11[1] = QStringLiteral("bob\"@x");
        m.strings11[2] = QStringLiteral("Bob <the> builder");
        m.cardHeadUrl = QStringLiteral("https://img.example/heads/h1.png");
        QString html = MsgTemplates(folder).fragment(m, QString());
        QVERIFY(html.contains(QLatin1String("<div class=\"lm-vcard-name\">Bob &lt;the&gt; builder</div>")));
        QVERIFY(html.contains(QLatin1String("designHeadImage/h1.png")));
        QVERIFY(html.contains(QLatin1String("bob&quot;@x")));
        QVERIFY(html.contains(QLatin1String("id=\"vcardimg")));

        // A short nickname takes the other template; a hostile URL segment never reaches the disk.
        m.strings11[2] = QStringLiteral("Bob");
        m.cardHeadUrl = QStringLiteral("https://img.example/..%2F..%2Fh1.png");
        html = MsgTemplates(folder).fragment(m, QString());
        QVERIFY(html.contains(QLatin1String("<span class=\"lm-vcard-name\">Bob</span>")));
        QVERIFY(html.contains(QLatin1String("FriendDetail/defaultHead.png")));
        m.cardHeadUrl = QStringLiteral("file:///etc/designHeadImage/h1.png");
        QVERIFY(MsgTemplates(folder).fragment(m, QString()).contains(QLatin1String("defaultHead.png")));
    }

    void bareFileNames()
    {
        for (const char *bad : {"", ".", "..", "../a.png", "a/b.png", "a\\b.png", "..png.."})
            QVERIFY2(MsgTemplates::bareFileName(QString::fromLatin1(bad)).isEmpty(), bad);
        QCOMPARE(MsgTemplates::bareFileName(QStringLiteral("图 1.png")), QStringLiteral("图 1.png"));
    }

    void pictureRewriteEscapesAndMatchesByName()
    {
        const QString html = QStringLiteral("<img src='a.gif' name=\"p.png\" fileid=\"1\"> and "
                                            "<img src=\"b.gif\" name=\"other.png\">");
        const QString out = MsgTemplates::rewritePicture(html, QStringLiteral("p.png"), QStringLiteral("\"><script>"),
                                                         QStringLiteral("/u/picRec/p.png"), true, QStringLiteral("/f.png"));
        QVERIFY(out.startsWith(QLatin1String("<img src=\"/u/picRec/p.png\" name=\"p.png\" fileid= \"&quot;&gt;&lt;script&gt;\" "
                                             "onload=\"javascript:resizeImg(this);\"")));
        QVERIFY(out.endsWith(QLatin1String("<img src=\"b.gif\" name=\"other.png\">")));
        const QString failed = MsgTemplates::rewritePicture(html, QStringLiteral("p.png"), QStringLiteral("1"),
                                                            QStringLiteral("/u/p.png"), false, QStringLiteral("/f.png"));
        QVERIFY(failed.contains(QLatin1String("src=\"/f.png\"")));
        QVERIFY(failed.contains(QLatin1String("onload=\"javascript:errorPic(this);\"")));
    }

    void scriptArgumentsAreJsonLiterals()
    {
        const QStringList args{QStringLiteral("a\"b\\c"), QStringLiteral("line\nnext</script>"), QString()};
        const QString call = MsgTemplates::scriptCall(QStringLiteral("f"), args);
        QVERIFY(call.startsWith(QLatin1String("f(\"a\\\"b\\\\c\", ")));
        const QJsonDocument parsed = QJsonDocument::fromJson(
            (QLatin1Char('[') + call.mid(2, call.size() - 3) + QLatin1Char(']')).toUtf8());
        QCOMPARE(parsed.array().toVariantList(), QVariantList({args[0], args[1], args[2]}));
    }

    void missingTemplateGivesEmptyFragment()
    {
        LogCapture log;
        QVERIFY(MsgTemplates::templateText(QStringLiteral("Resources\\Html\\messageTemplate\\none.html")).isEmpty());
        QVERIFY(log.contains(QStringLiteral("none.html")));
    }
};

QTEST_MAIN(tst_MsgTemplates)
#include "tst_MsgTemplates.moc"
