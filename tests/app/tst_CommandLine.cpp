#include "app/CommandLine.h"

#include <QtTest>

class tst_CommandLine : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
};

void tst_CommandLine::parse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("userId");
    QTest::addColumn<QString>("quickLaunch");

    QTest::newRow("both") << QStringList{"/uin:12345", "/quicklunch:1"} << "12345" << "1";
    QTest::newRow("reversed") << QStringList{"/quicklunch:1", "/uin:12345"} << "12345" << "1";
    QTest::newRow("three arguments") << QStringList{"/uin:12345", "/quicklunch:1", "x"} << "" << "";
    QTest::newRow("one argument") << QStringList{"/uin:12345"} << "" << "";
    QTest::newRow("none") << QStringList{} << "" << "";
    QTest::newRow("prefix not at start") << QStringList{"x/uin:5", "/quicklunch:2"} << "" << "2";
    QTest::newRow("case-sensitive") << QStringList{"/UIN:5", "/QuickLunch:2"} << "" << "";
    QTest::newRow("every occurrence removed") << QStringList{"/uin:1/uin:2", "/quicklunch:a/quicklunch:"}
                                              << "12" << "a";
    QTest::newRow("empty values") << QStringList{"/uin:", "/quicklunch:"} << "" << "";
    QTest::newRow("last one wins") << QStringList{"/uin:1", "/uin:2"} << "2" << "";
    QTest::newRow("unicode") << QStringList{"/uin:张三", "other"} << "张三" << "";
}

void tst_CommandLine::parse()
{
    QFETCH(QStringList, arguments);
    const CommandLine line = CommandLine::parse(arguments);
    QTEST(line.userId, "userId");
    QTEST(line.quickLaunch, "quickLaunch");
}

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_CommandLine.moc"
