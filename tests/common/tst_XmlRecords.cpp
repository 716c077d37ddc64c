#include "LogCapture.h"
#include "TestEnvironment.h"
#include "common/XmlRecords.h"

#include <QTextCodec>
#include <QtTest>

class tst_XmlRecords : public QObject
{
    Q_OBJECT
private slots:
    void childrenOfTheRootAreRecords();
    void recordsByTagAtAnyDepth();
    void chineseEightBitEncodingsAreDecoded_data();
    void chineseEightBitEncodingsAreDecoded();
    void brokenInputGivesNothingAndALogLine();
};

void tst_XmlRecords::childrenOfTheRootAreRecords()
{
    const QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<forecast city=\"南京\">\n"
        "  <meta><source>s</source></meta>\n"
        "  <day index=\"1\"><status>多云转晴</status><direction1>东风</direction1>\n"
        "    <temps><hightemperature>30</hightemperature><lowtemperature> 21 </lowtemperature></temps>\n"
        "    <image/></day>\n"
        "  <day index=\"2\"><status>小雨</status></day>\n"
        "  <picture Name=\"晴\" Value=\"sun.png\"/>\n"
        "</forecast>\n";
    const QList<XmlRecords::Record> records = XmlRecords::read(xml);
    QCOMPARE(records.size(), 4);
    QCOMPARE(records[0], (XmlRecords::Record{{"source", "s"}}));
    QCOMPARE(records[1], (XmlRecords::Record{{"index", "1"}, {"status", "多云转晴"}, {"direction1", "东风"},
                                             {"hightemperature", "30"}, {"lowtemperature", "21"}, {"image", ""}}));
    QCOMPARE(records[2], (XmlRecords::Record{{"index", "2"}, {"status", "小雨"}}));
    QCOMPARE(records[3], (XmlRecords::Record{{"Name", "晴"}, {"Value", "sun.png"}}));
}

void tst_XmlRecords::recordsByTagAtAnyDepth()
{
    const QByteArray xml =
        "<China><province name=\"江苏\"><city>南京</city><city>苏州</city></province>"
        "<province name=\"浙江\"><city name=\"杭州\" code=\"0571\"/></province></China>";
    const QList<XmlRecords::Record> cities = XmlRecords::read(xml, QStringLiteral("city"));
    QCOMPARE(cities.size(), 3);
    QCOMPARE(cities[0].value("city"), QStringLiteral("南京"));
    QCOMPARE(cities[1].value("city"), QStringLiteral("苏州"));
    QCOMPARE(cities[2], (XmlRecords::Record{{"name", "杭州"}, {"code", "0571"}}));
}

void tst_XmlRecords::chineseEightBitEncodingsAreDecoded_data()
{
    QTest::addColumn<QByteArray>("encoding");
    QTest::newRow("GB2312") << QByteArray("GB2312");
    QTest::newRow("gbk, lower case") << QByteArray("gbk");
    QTest::newRow("GB18030") << QByteArray("GB18030");
}

void tst_XmlRecords::chineseEightBitEncodingsAreDecoded()
{
    QFETCH(QByteArray, encoding);
    QTextCodec *codec = QTextCodec::codecForName(encoding);
    QVERIFY(codec);
    const QByteArray xml = "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?>"
        + codec->fromUnicode(QStringLiteral("<天气><day status=\"雷阵雨\"><power1>3-4级</power1></day></天气>"));
    TestEnvironment env;
    const QString path = env.root() + QStringLiteral("/weather.xml");
    QVERIFY(TestEnvironment::writeText(path, xml));
    const QList<XmlRecords::Record> records = XmlRecords::readFile(path);
    QCOMPARE(records.size(), 1);
    QCOMPARE(records[0], (XmlRecords::Record{{"status", "雷阵雨"}, {"power1", "3-4级"}}));
}

void tst_XmlRecords::brokenInputGivesNothingAndALogLine()
{
    LogCapture log;
    QVERIFY(XmlRecords::read("<a><b>1</b><c>").isEmpty());
    QVERIFY(log.contains(QStringLiteral("XmlRecords::read")));
    QVERIFY(XmlRecords::read(QByteArray()).isEmpty());
    log.clear();
    QVERIFY(XmlRecords::read("<?xml version=\"1.0\" encoding=\"GB-NONSENSE\"?><a><b/></a>").isEmpty());
    QVERIFY(log.contains(QStringLiteral("GB-NONSENSE")));
    log.clear();
    QVERIFY(XmlRecords::readFile(QStringLiteral("/nonexistent/weather.xml")).isEmpty());
    QVERIFY(log.contains(QStringLiteral("/nonexistent/weather.xml")));
}

QTEST_GUILESS_MAIN(tst_XmlRecords)
#include "tst_XmlRecords.moc"
