#include "mainwindow/DockController.h"
#include "mainwindow/WindowPlacement.h"

#include <QWidget>
#include <QtTest>

using Screen = WindowPlacement::Screen;

namespace {

// A wide primary screen with a panel at its bottom, and a smaller one to its
// right with its panel at the top; or the same second screen with its panel left.
const Screen Primary{QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1040)};
const Screen SecondTopPanel{QRect(1920, 0, 1280, 800), QRect(1920, 30, 1280, 770)};
const Screen SecondLeftPanel{QRect(1920, 0, 1280, 800), QRect(1960, 0, 1240, 800)};

WindowPlacement::Stored stored(int width, int height, int x, int y)
{
    WindowPlacement::Stored s;
    s.width = width;
    s.height = height;
    s.pointx = x;
    s.pointy = y;
    return s;
}

} // namespace

class tst_WindowPlacement : public QObject
{
    Q_OBJECT
private slots:
    void restore_data();
    void restore();
    void pointxZeroWarns();
    void hiddenAndShownPerEdge_data();
    void hiddenAndShownPerEdge();
    void autoHideHonoursSettingAndVeto();
};

void tst_WindowPlacement::restore_data()
{
    QTest::addColumn<WindowPlacement::Stored>("saved");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("as saved") << stored(300, 700, 100, 50) << QRect(100, 50, 300, 700);
    QTest::newRow("width 4 resets both") << stored(4, 900, 100, 50) << QRect(100, 50, 270, 650);
    QTest::newRow("negative is unset") << stored(300, 700, -1, -5) << QRect(10, 10, 300, 700);
    QTest::newRow("pointx 0") << stored(300, 700, 0, 50) << QRect(1620, 11, 300, 700);
    // Saved on a taller monitor: moved up onto the smaller one, never sideways.
    QTest::newRow("below smaller screen") << stored(300, 700, 3100, 600) << QRect(3100, 100, 300, 700);
    QTest::newRow("right of the edge") << stored(300, 700, 1800, 50) << QRect(1620, 50, 300, 700);
    QTest::newRow("vanished screen") << stored(300, 700, 4000, 50) << QRect(1620, 11, 300, 700);
    QTest::newRow("above every screen") << stored(270, 650, 500, 0) << QRect(500, 0, 270, 650);
}

void tst_WindowPlacement::restore()
{
    QFETCH(WindowPlacement::Stored, saved);
    QFETCH(QRect, expected);
    QCOMPARE(WindowPlacement::restore(saved, {Primary, SecondTopPanel}, 0), expected);
}

void tst_WindowPlacement::pointxZeroWarns()
{
    QString warning;
    WindowPlacement::restore(stored(300, 700, 0, 50), {Primary}, 0, &warning);
    QCOMPARE(warning, QStringLiteral("pointx is null"));
    warning.clear();
    WindowPlacement::restore(stored(300, 700, 5, 50), {Primary}, 0, &warning);
    QVERIFY(warning.isEmpty());
}

void tst_WindowPlacement::hiddenAndShownPerEdge_data()
{
    QTest::addColumn<Screen>("screen");
    QTest::addColumn<int>("edge");
    QTest::addColumn<QRect>("window");
    QTest::addColumn<QPoint>("hidden");
    QTest::addColumn<QRect>("shown");
    QTest::addColumn<int>("stayAfter");
    using W = WindowPlacement;
    QTest::newRow("left, own screen") << SecondTopPanel << int(W::Left) << QRect(1920, 100, 300, 650)
                                      << QPoint(1920 + 3 - 300, 100) << QRect(1920, 30, 300, 770) << int(W::Left);
    QTest::newRow("right, own screen") << SecondTopPanel << int(W::Right) << QRect(2900, 100, 300, 650)
                                       << QPoint(3200 - 3, 100) << QRect(2900, 30, 300, 770) << int(W::Right);
    QTest::newRow("bottom, free edge") << SecondTopPanel << int(W::Bottom) << QRect(2000, 150, 300, 650)
                                       << QPoint(2000, 800 - 3) << QRect(2000, 150, 300, 650) << int(W::Bottom);
    QTest::newRow("bottom, panel there") << Primary << int(W::Bottom) << QRect(400, 390, 300, 650)
                                         << QPoint(400, 1040 - 3) << QRect(400, 1040 - 650, 300, 650) << int(W::Free);
    QTest::newRow("top, panel there") << SecondTopPanel << int(W::Top) << QRect(2000, 30, 300, 650)
                                      << QPoint(2000, 3 - 650) << QRect(2000, 30, 300, 650) << int(W::Free);
    QTest::newRow("left, panel there") << SecondLeftPanel << int(W::Left) << QRect(1960, 100, 300, 650)
                                       << QPoint(1920 + 3 - 300, 100) << QRect(1960, 100, 300, 650) << int(W::Free);
    QTest::newRow("top, free edge") << SecondLeftPanel << int(W::Top) << QRect(2000, 0, 300, 650)
                                    << QPoint(2000, 3 - 650) << QRect(2000, 0, 300, 650) << int(W::Top);
}

void tst_WindowPlacement::hiddenAndShownPerEdge()
{
    QFETCH(Screen, screen);
    QFETCH(int, edge);
    QFETCH(QRect, window);
    QFETCH(QPoint, hidden);
    QFETCH(QRect, shown);
    QFETCH(int, stayAfter);
    QCOMPARE(WindowPlacement::hiddenPosition(edge, window, screen), hidden);
    int stay = edge;
    QCOMPARE(WindowPlacement::shownGeometry(stay, QRect(hidden, window.size()), screen), shown);
    QCOMPARE(stay, stayAfter);
    // The window on the second monitor belongs to it, not to the primary.
    QCOMPARE(WindowPlacement::screenFor(window, {Primary, screen}), screen.geometry == Primary.geometry ? 0 : 1);
}

void tst_WindowPlacement::autoHideHonoursSettingAndVeto()
{
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.setGeometry(1920, 100, 300, 650);
    window.show();
    DockController dock(&window);
    dock.animationMs = 0;
    dock.screens = [] { return QList<Screen>{Primary, SecondTopPanel}; };
    bool autoHide = false;
    bool veto = true;
    dock.autoHideOn = [&] { return autoHide; };
    dock.panelVetoes = [&] { return veto; };
    dock.moved();
    QCOMPARE(dock.stayType(), int(WindowPlacement::Left));

    const QPoint outside(100, 100);
    dock.leave(outside);
    QVERIFY(!dock.isHidden());
    autoHide = true;
    dock.leave(outside);
    QVERIFY2(!dock.isHidden(), "the main panel vetoed");
    veto = false;
    dock.skipNextLeave();
    dock.leave(outside);
    QVERIFY(!dock.isHidden());
    dock.leave(window.geometry().center());
    QVERIFY(!dock.isHidden());
    dock.leave(outside);
    QVERIFY(dock.isHidden());
    QCOMPARE(window.pos(), QPoint(1920 + 3 - 300, 100));
    QCOMPARE(dock.stayType(), int(WindowPlacement::Left));

    dock.enter();
    QVERIFY(!dock.isHidden());
    QCOMPARE(window.geometry(), QRect(1920, 30, 300, 770));
}

QTEST_MAIN(tst_WindowPlacement)
#include "tst_WindowPlacement.moc"
