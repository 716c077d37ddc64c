#include "LogCapture.h"
#include "TestEnvironment.h"
#include "common/ResourcePath.h"
#include "ui/CLineEditEx.h"
#include "ui/HeadLabel.h"

#include <QImage>
#include <QMouseEvent>
#include <QtTest>

class tst_HeadLabel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { ResourcePath::setBaseDir(TestEnvironment::binDir()); }
    void fallsBackToTheDefaultHead();
    void paintsRoundAndReportsClicks();
};

void tst_HeadLabel::fallsBackToTheDefaultHead()
{
    TestEnvironment env;
    LogCapture log;
    HeadLabel head;
    QVERIFY(head.showsDefaultHead());
    head.setHeadPicture(env.root() + QStringLiteral("/missing.png"));
    QVERIFY(head.showsDefaultHead());
    QVERIFY(log.contains(QStringLiteral("missing.png")));
    QVERIFY(TestEnvironment::writeText(env.root() + QStringLiteral("/broken.png"), "not a picture"));
    head.setHeadPicture(env.root() + QStringLiteral("/broken.png"));
    QVERIFY(head.showsDefaultHead());

    QImage red(40, 40, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(env.root() + QStringLiteral("/me.png")));
    head.setHeadPicture(env.root() + QStringLiteral("/me.png"));
    QVERIFY(!head.showsDefaultHead());
}

void tst_HeadLabel::paintsRoundAndReportsClicks()
{
    TestEnvironment env;
    QImage red(40, 40, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(env.root() + QStringLiteral("/me.png")));
    HeadLabel head;
    head.setHeadPicture(env.root() + QStringLiteral("/me.png"));
    const QImage shot = head.grab().toImage();
    QVERIFY(QColor(shot.pixel(2, 2)) != QColor(Qt::red)); // outside the circle
    QCOMPARE(QColor(shot.pixel(shot.width() / 2, shot.height() / 2)), QColor(Qt::red));

    QSignalSpy clicked(&head, &HeadLabel::signal_clickHeadLabel);
    QTest::mouseClick(&head, Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(clicked.count(), 1);

    // The search field's button shows the clear picture only while there is text.
    CLineEditEx search;
    QCOMPARE(search.buttonImage(), CLineEditEx::searchImage());
    QTest::keyClicks(&search, QStringLiteral("zh"));
    QCOMPARE(search.buttonImage(), CLineEditEx::clearImage());
    search.clear();
    QCOMPARE(search.buttonImage(), CLineEditEx::searchImage());
}

QTEST_MAIN(tst_HeadLabel)
#include "tst_HeadLabel.moc"
