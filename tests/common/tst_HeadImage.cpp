#include "LogCapture.h"
#include "TestEnvironment.h"
#include "common/HeadImage.h"

#include <QFile>
#include <QImage>
#include <QtTest>

class tst_HeadImage : public QObject
{
    Q_OBJECT
private slots:
    void fileNames_data();
    void fileNames();
    void savedScaledAndReadBack();
    void saveRefusesBadInput();
    void roundIsACircle();
};

void tst_HeadImage::fileNames_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("jid");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("name");

    QTest::newRow("last url segment") << "http://img.corp/head/a/b123.jpg" << "x@corp" << 48 << "b123.jpg";
    QTest::newRow("query left out") << "http://img.corp/h/b.png?v=2" << "" << 0 << "b.png";
    QTest::newRow("no url: jid and size") << "" << "bob@corp/pc" << 48 << "bob@corp_48.png";
    QTest::newRow("no url, no size") << "" << "bob@corp" << 0 << "bob@corp.png";
    QTest::newRow("folder url: jid") << "http://img.corp/h/" << "bob@corp" << 0 << "bob@corp.png";
    QTest::newRow("dot dot url, no jid") << "http://img.corp/h/.." << "" << 0 << "";
    QTest::newRow("encoded slashes do not climb") << "http://img.corp/h/..%2F..%2Fevil.png" << "" << 0 << "evil.png";
    QTest::newRow("backslash in jid") << "" << "..\\..\\evil" << 0 << "";
    QTest::newRow("nothing") << "" << "" << 0 << "";
}

void tst_HeadImage::fileNames()
{
    QFETCH(QString, url);
    QFETCH(QString, jid);
    QFETCH(int, size);
    QFETCH(QString, name);
    QCOMPARE(HeadImage::fileName(url, jid, size), name);
    if (!name.isEmpty())
        QCOMPARE(HeadImage::path(QStringLiteral("/u"), url, jid, size), QStringLiteral("/u/designHeadImage/") + name);
}

void tst_HeadImage::savedScaledAndReadBack()
{
    TestEnvironment env;
    const QString user = env.root() + QStringLiteral("/files/alice");
    QPixmap picture(200, 100);
    picture.fill(Qt::red);

    const QString saved = HeadImage::save(user, QStringLiteral("http://img.corp/h/alice.jpg"), QString(), 40, 30, picture);
    QCOMPARE(saved, user + QStringLiteral("/designHeadImage/alice.jpg"));
    QImage back(saved);
    QCOMPARE(back.size(), QSize(40, 30));
    QCOMPARE(QColor(back.pixel(20, 15)).red() > 200, true);

    // A suffix no writer knows is still stored (as PNG) and loads again.
    const QString odd = HeadImage::save(user, QStringLiteral("http://img.corp/h/alice.head"), QString(), 10, 10, picture);
    QVERIFY(!odd.isEmpty());
    QCOMPARE(QImage(odd).size(), QSize(10, 10));
}

void tst_HeadImage::saveRefusesBadInput()
{
    TestEnvironment env;
    const QString user = env.root() + QStringLiteral("/files/alice");
    QPixmap picture(10, 10);
    picture.fill(Qt::blue);
    LogCapture log;
    QCOMPARE(HeadImage::save(user, QStringLiteral("a.png"), QString(), 10, 10, QPixmap()), QString());
    QCOMPARE(HeadImage::save(user, QStringLiteral("a.png"), QString(), 0, 10, picture), QString());
    QCOMPARE(HeadImage::save(user, QString(), QString(), 10, 10, picture), QString());
    QCOMPARE(HeadImage::save(QString(), QStringLiteral("a.png"), QString(), 10, 10, picture), QString());

    const QString blocked = env.root() + QStringLiteral("/blocked");
    TestEnvironment::writeText(blocked + QStringLiteral("/designHeadImage"), "a file");
    QCOMPARE(HeadImage::save(blocked, QStringLiteral("a.png"), QString(), 10, 10, picture), QString());
    QVERIFY(log.contains(blocked + QStringLiteral("/designHeadImage")));
}

void tst_HeadImage::roundIsACircle()
{
    QPixmap picture(60, 30);
    picture.fill(Qt::green);
    const QImage round = HeadImage::round(picture, 20).toImage();
    QCOMPARE(round.size(), QSize(20, 20));
    QCOMPARE(qAlpha(round.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(round.pixel(19, 19)), 0);
    QCOMPARE(qAlpha(round.pixel(10, 10)), 255);
    QCOMPARE(QColor(round.pixel(10, 10)).green(), 255);
    QCOMPARE(qAlpha(round.pixel(10, 1)), 255);
    QVERIFY(HeadImage::round(QPixmap(), 20).isNull());
    QVERIFY(HeadImage::round(picture, 0).isNull());
}

QTEST_MAIN(tst_HeadImage)
#include "tst_HeadImage.moc"
