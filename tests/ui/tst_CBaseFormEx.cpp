#include "TestEnvironment.h"
#include "common/ResourcePath.h"
#include "platform/Compositor.h"
#include "ui/BaseDialogEx.h"
#include "ui/CBaseFormEx.h"

#include <QImage>
#include <QMouseEvent>
#include <QtTest>

class tst_CBaseFormEx : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { ResourcePath::setBaseDir(TestEnvironment::binDir()); }
    void cleanup() { Compositor::setForcedAnswer(std::nullopt); }
    void withoutCompositorPaintsOpaqueWithoutRings();
    void withCompositorShadowRingsFadeOutwards();
    void dialogFollowsTheSameDecision();
    void dragMovesByThePressOffset();
};

void tst_CBaseFormEx::withoutCompositorPaintsOpaqueWithoutRings()
{
    Compositor::setForcedAnswer(false);
    CBaseFormEx form;
    form.resize(200, 120);
    form.setBandHeight(40);
    QVERIFY(!form.testAttribute(Qt::WA_TranslucentBackground));
    const QImage image = form.grab().toImage();
    // Every pixel opaque: the corners too, where a translucent frame is empty.
    for (const QPoint &p : {QPoint(0, 0), QPoint(199, 0), QPoint(0, 119), QPoint(199, 119), QPoint(1, 60), QPoint(100, 100)})
        QVERIFY2(qAlpha(image.pixel(p)) == 255, qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    // The white area starts below the band.
    QCOMPARE(QColor(image.pixel(100, 100)), QColor(Qt::white));
    QVERIFY(QColor(image.pixel(100, 20)) != QColor(Qt::white));
}

void tst_CBaseFormEx::withCompositorShadowRingsFadeOutwards()
{
    Compositor::setForcedAnswer(true);
    CBaseFormEx form;
    form.resize(200, 120);
    QVERIFY(form.testAttribute(Qt::WA_TranslucentBackground));
    const QImage image = form.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(qAlpha(image.pixel(0, 60)), 0);
    const int outer = qAlpha(image.pixel(1, 60));
    const int middle = qAlpha(image.pixel(2, 60));
    QVERIFY2(outer > 0 && outer < middle && middle < 255, qPrintable(QStringLiteral("%1 %2").arg(outer).arg(middle)));
    QCOMPARE(qAlpha(image.pixel(100, 60)), 255);
}

void tst_CBaseFormEx::dialogFollowsTheSameDecision()
{
    for (bool running : {false, true}) {
        Compositor::setForcedAnswer(running);
        BaseDialogEx dialog(nullptr, QString(), QStringLiteral("x"), 180, 6, 0);
        QCOMPARE(dialog.testAttribute(Qt::WA_TranslucentBackground), running);
        QCOMPARE(qAlpha(dialog.grab().toImage().pixel(0, 0)) == 255, !running);
    }
}

void tst_CBaseFormEx::dragMovesByThePressOffset()
{
    CBaseFormEx form;
    form.resize(200, 120);
    form.move(100, 100);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QPoint start = form.pos();
    const QPointF local(50, 50);
    const QPointF global = form.mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &press);
    QMouseEvent move(QEvent::MouseMove, local, global + QPointF(30, 20), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global + QPointF(30, 20), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &release);
    QCOMPARE(form.pos(), start + QPoint(30, 20));
    // After the release a move without the button leaves it where it is.
    QMouseEvent stray(QEvent::MouseMove, local, global + QPointF(90, 90), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &stray);
    QCOMPARE(form.pos(), start + QPoint(30, 20));
}

QTEST_MAIN(tst_CBaseFormEx)
#include "tst_CBaseFormEx.moc"
