#include "common/HtmlText.h"

#include <QRegularExpression>
#include <QtTest>

namespace {
QString link(const QString &url, const QString &style = {})
{
    return QStringLiteral("<a onfocus='this.blur()' href='web://urllink//%1' target='_blank' %2>%1</a>")
        .arg(url, style);
}

QString linkified(QString text, const QString &style = {})
{
    HtmlText::linkifyUrls(text, style);
    return text;
}
}

class tst_HtmlText : public QObject
{
    Q_OBJECT
private slots:
    void escapeRoundTrip_data();
    void escapeRoundTrip();
    void escapedTextHasNoRawMarkup();
    void unescapeLeavesUnknownEntities();
    void linkify_data();
    void linkify();
    void linkifyLongText();
};

void tst_HtmlText::escapeRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("escaped");
    QTest::newRow("markup") << "<b>\"hi\"</b>" << "&lt;b&gt;&quot;hi&quot;&lt;/b&gt;";
    QTest::newRow("apostrophe") << "it's" << "it&#39;s";
    QTest::newRow("an entity already there") << "&amp; &lt;" << "&amp;amp; &amp;lt;";
    QTest::newRow("lone ampersand") << "a & b&" << "a &amp; b&amp;";
    QTest::newRow("what unescape would read as an apostrophe") << "&apos;&#39;" << "&amp;apos;&amp;#39;";
    QTest::newRow("CJK and blanks") << "你好  <世界>" << "你好  &lt;世界&gt;";
    QTest::newRow("empty") << "" << "";
}

void tst_HtmlText::escapeRoundTrip()
{
    QFETCH(QString, text);
    QFETCH(QString, escaped);
    QCOMPARE(HtmlText::escapeHtml(text), escaped);
    QCOMPARE(HtmlText::unescapeHtml(HtmlText::escapeHtml(text)), text);
    // Escaping twice must also come back in two steps.
    QCOMPARE(HtmlText::unescapeHtml(HtmlText::unescapeHtml(HtmlText::escapeHtml(HtmlText::escapeHtml(text)))), text);
}

void tst_HtmlText::escapedTextHasNoRawMarkup()
{
    const QString hostile = QStringLiteral("<img src=x onerror='alert(1)'>\"&");
    const QString escaped = HtmlText::escapeHtml(hostile);
    for (const QChar c : {QLatin1Char('<'), QLatin1Char('>'), QLatin1Char('"'), QLatin1Char('\'')})
        QVERIFY2(!escaped.contains(c), qPrintable(escaped));
    QVERIFY(!escaped.contains(QRegularExpression(QStringLiteral("&(?!amp;|lt;|gt;|quot;|#39;)"))));
}

void tst_HtmlText::unescapeLeavesUnknownEntities()
{
    QCOMPARE(HtmlText::unescapeHtml(QStringLiteral("&nbsp;&copy;&&lt")), QStringLiteral("&nbsp;&copy;&&lt"));
    QCOMPARE(HtmlText::unescapeHtml(QStringLiteral("&apos;&#39;&quot;")), QStringLiteral("''\""));
}

void tst_HtmlText::linkify_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("expected");

    const QString plain = QStringLiteral("no address here,  just  double blanks & dots...");
    QTest::newRow("no address: unchanged") << plain << "" << plain;
    QTest::newRow("word, blank, www address")
        << "see www.example.com" << "" << "see " + link("www.example.com");
    QTest::newRow("two blanks after the address keep the next word out")
        << "http://a.cn/x  next" << "" << link("http://a.cn/x") + "  next";
    QTest::newRow("several addresses")
        << "https://a.com/p?q=1 and ftp://b.org or www.c.net/d#e"
        << "style='color:red'"
        << link("https://a.com/p?q=1", "style='color:red'") + " and "
               + link("ftp://b.org", "style='color:red'") + " or "
               + link("www.c.net/d#e", "style='color:red'");
    QTest::newRow("the same address twice")
        << "www.a.com www.a.com" << "" << link("www.a.com") + " " + link("www.a.com");
    QTest::newRow("CJK host name, CJK text right after the address")
        << "请看http://例子.cn/a页面，谢谢" << ""
        << "请看" + link("http://例子.cn/a") + "页面，谢谢";
    QTest::newRow("CJK www host") << "访问www.百度.com吧" << "" << "访问" + link("www.百度.com") + "吧";
    QTest::newRow("capitals in the path")
        << "http://a.com/Docs/Read.html" << "" << link("http://a.com/Docs/Read.html");
    QTest::newRow("escaped text: the query's &amp; stays, a quote ends the address")
        << "&quot;http://a.com/?x=1&amp;y=2&quot;" << ""
        << "&quot;" + link("http://a.com/?x=1&amp;y=2") + "&quot;";
    QTest::newRow("a bracket entity right after the address")
        << "&lt;www.a.com&gt;" << "" << "&lt;" + link("www.a.com") + "&gt;";
    QTest::newRow("an address right after a quote entity")
        << "www.a.com&quot;www.b.com" << "" << link("www.a.com") + "&quot;" + link("www.b.com");
    QTest::newRow("upper-case scheme is not an address") << "HTTP://A.COM" << "" << "HTTP://A.COM";
    QTest::newRow("prefix alone") << "http:// www." << "" << "http:// www.";
    QTest::newRow("empty") << "" << "" << "";
}

void tst_HtmlText::linkify()
{
    QFETCH(QString, text);
    QFETCH(QString, style);
    QFETCH(QString, expected);
    QCOMPARE(linkified(text, style), expected);
}

void tst_HtmlText::linkifyLongText()
{
    // 20,000 addresses with double blanks between them: every one becomes exactly one link.
    QString text;
    for (int i = 0; i < 20000; ++i)
        text += QStringLiteral("文字  http://h%1.cn/p  ").arg(i);
    const QString result = linkified(text);
    QCOMPARE(result.count(QStringLiteral("<a ")), 20000);
    QVERIFY(result.startsWith(QStringLiteral("文字  ") + link(QStringLiteral("http://h0.cn/p")) + QStringLiteral("  文字")));
    QVERIFY(result.endsWith(link(QStringLiteral("http://h19999.cn/p")) + QStringLiteral("  ")));
}

QTEST_GUILESS_MAIN(tst_HtmlText)
#include "tst_HtmlText.moc"
