#include "platform/DisplayPlatform.h"

#include <QtTest>

class tst_DisplayPlatform : public QObject
{
    Q_OBJECT
private slots:
    void xcbOnlyUnderXWaylandAndNeverOverTheUser();
};

void tst_DisplayPlatform::xcbOnlyUnderXWaylandAndNeverOverTheUser()
{
    // (user's choice, Wayland display, X display) -> what start-up asks for
    QCOMPARE(DisplayPlatform::choose("", "wayland-0", ":0"), QByteArray("xcb"));
    QCOMPARE(DisplayPlatform::choose("wayland", "wayland-0", ":0"), QByteArray());
    QCOMPARE(DisplayPlatform::choose("offscreen", "", ""), QByteArray());
    QCOMPARE(DisplayPlatform::choose("", "wayland-0", ""), QByteArray()); // no XWayland
    QCOMPARE(DisplayPlatform::choose("", "", ":0"), QByteArray());        // plain X11

    qunsetenv("QT_QPA_PLATFORM");
    qputenv("WAYLAND_DISPLAY", "wayland-1");
    qputenv("DISPLAY", ":5");
    DisplayPlatform::preferXcbOnXWayland();
    QCOMPARE(qgetenv("QT_QPA_PLATFORM"), QByteArray("xcb"));
}

// No application object: the choice is made before one exists.
QTEST_APPLESS_MAIN(tst_DisplayPlatform)
#include "tst_DisplayPlatform.moc"
