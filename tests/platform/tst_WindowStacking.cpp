#include "platform/WindowStacking.h"

#include <QApplication>
#include <QSystemTrayIcon>
#include <QWidget>
#include <QtTest>

class tst_WindowStacking : public QObject
{
    Q_OBJECT
private slots:
    void topmostKeepsTheWindowShownInPlace();
    void taskbarEntryStaysWithoutATray();
};

void tst_WindowStacking::topmostKeepsTheWindowShownInPlace()
{
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.setGeometry(40, 50, 270, 650);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    WindowStacking::setTopmost(&window, true);
    QVERIFY(window.isVisible());
    QVERIFY(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(window.pos(), QPoint(40, 50));
    WindowStacking::setTopmost(&window, false);
    QVERIFY(!window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(window.isVisible());

    QWidget notShown;
    WindowStacking::setTopmost(&notShown, true);
    QVERIFY(!notShown.isVisible());
    QVERIFY(notShown.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

void tst_WindowStacking::taskbarEntryStaysWithoutATray()
{
    QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.show();
    // Hidden to a tray that does not exist, the window could never be found again.
    QVERIFY(WindowStacking::setTaskbarEntry(&window, false));
    QCOMPARE(window.windowType(), Qt::Window);
    QVERIFY(window.isVisible());

    // A tool window left over from a session with a tray gets its entry back, still a window.
    window.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    window.show();
    QVERIFY(WindowStacking::setTaskbarEntry(&window, true));
    QCOMPARE(window.windowType(), Qt::Window);
    QVERIFY(window.isWindow() && window.isVisible());
    QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
}

QTEST_MAIN(tst_WindowStacking)
#include "tst_WindowStacking.moc"
