#include "platform/DisplayPlatform.h"
#include "platform/WindowPlacement.h"

#include <QApplication>
#include <QSystemTrayIcon>
#include <QWidget>
#include <QtTest>

class tst_WindowPlacement : public QObject
{
    Q_OBJECT
private slots:
    void topmostKeepsTheWindowShownInPlace();
    void taskbarEntryStaysWithoutATray();
    void platformChoice();
};

void tst_WindowPlacement::topmostKeepsTheWindowShownInPlace()
{
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.setGeometry(40, 50, 270, 650);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    WindowPlacement::setTopmost(&window, true);
    QVERIFY(window.isVisible());
    QVERIFY(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(window.pos(), QPoint(40, 50));
    WindowPlacement::setTopmost(&window, false);
    QVERIFY(!window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(window.isVisible());

    QWidget notShown;
    WindowPlacement::setTopmost(&notShown, true);
    QVERIFY(!notShown.isVisible());
    QVERIFY(notShown.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

void tst_WindowPlacement::taskbarEntryStaysWithoutATray()
{
    QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.show();
    // Hidden to a tray that does not exist, the window could never be found again.
    QVERIFY(WindowPlacement::setTaskbarEntry(&window, false));
    QCOMPARE(window.windowType(), Qt::Window);
    QVERIFY(window.isVisible());

    // A tool window left over from a session with a tray gets its entry back, still a window.
    window.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    window.show();
    QVERIFY(WindowPlacement::setTaskbarEntry(&window, true));
    QCOMPARE(window.windowType(), Qt::Window);
    QVERIFY(window.isWindow() && window.isVisible());
    QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
}

void tst_WindowPlacement::platformChoice()
{
    // (user's choice, Wayland display, X display) → what start-up asks for
    QCOMPARE(DisplayPlatform::choose("", "wayland-0", ":0"), QByteArray("xcb"));
    QCOMPARE(DisplayPlatform::choose("wayland", "wayland-0", ":0"), QByteArray());
    QCOMPARE(DisplayPlatform::choose("", "wayland-0", ""), QByteArray()); // no XWayland
    QCOMPARE(DisplayPlatform::choose("", "", ":0"), QByteArray());
}

QTEST_MAIN(tst_WindowPlacement)
#include "tst_WindowPlacement.moc"
