#include "platform/Compositor.h"

#include <QGuiApplication>
#include <QtTest>

class tst_Compositor : public QObject
{
    Q_OBJECT
private slots:
    void decision_data();
    void decision();
};

void tst_Compositor::decision_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<int>("owner"); // -1: X11 could not be asked
    QTest::addColumn<bool>("translucent");
    QTest::newRow("x11 with a compositor") << "xcb" << 1 << true;
    QTest::newRow("x11 without one") << "xcb" << 0 << false;
    QTest::newRow("x11 not answering") << "xcb" << -1 << false;
    QTest::newRow("wayland") << "wayland" << -1 << true;
    QTest::newRow("wayland-egl") << "wayland-egl" << -1 << true;
    QTest::newRow("offscreen") << "offscreen" << -1 << true;
    QTest::newRow("unknown platform") << "vnc" << 1 << false;
}

void tst_Compositor::decision()
{
    QFETCH(QString, platform);
    QFETCH(int, owner);
    QFETCH(bool, translucent);
    const std::optional<bool> answer = owner < 0 ? std::nullopt : std::optional<bool>(owner == 1);
    QCOMPARE(Compositor::decide(platform, answer), translucent);
}

QTEST_MAIN(tst_Compositor)
#include "tst_Compositor.moc"
