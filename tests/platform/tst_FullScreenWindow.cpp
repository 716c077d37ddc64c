#include "platform/FullScreenWindow.h"
#include "platform/IdleTime.h"

#include <QGuiApplication>
#include <QProcess>
#include <QtTest>

#include <X11/Xlib.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <unistd.h>

// Runs the shell's desktop probes against a private X server whose window-manager
// properties the test writes itself.
class tst_FullScreenWindow : public QObject
{
    Q_OBJECT
public:
    explicit tst_FullScreenWindow(const QByteArray &display) : m_display(display) {}

private slots:
    void initTestCase();
    void cleanupTestCase();
    void foreignFullScreenWindowInFront();
    void idleTimeFromTheServer();

private:
    xcb_atom_t atom(const char *name)
    {
        xcb_intern_atom_reply_t *reply =
            xcb_intern_atom_reply(m_x, xcb_intern_atom(m_x, 0, uint16_t(qstrlen(name)), name), nullptr);
        const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return value;
    }
    void setAtoms(xcb_window_t window, const char *property, const QList<xcb_atom_t> &values)
    {
        xcb_change_property(m_x, XCB_PROP_MODE_REPLACE, window, atom(property), XCB_ATOM_ATOM, 32,
                            uint32_t(values.size()), values.constData());
    }
    void setActive(xcb_window_t window)
    {
        xcb_change_property(m_x, XCB_PROP_MODE_REPLACE, m_root, atom("_NET_ACTIVE_WINDOW"),
                            XCB_ATOM_WINDOW, 32, 1, &window);
        // A round trip: the server has applied everything before the shell looks.
        std::free(xcb_get_input_focus_reply(m_x, xcb_get_input_focus(m_x), nullptr));
    }
    xcb_window_t newWindow()
    {
        const xcb_window_t window = xcb_generate_id(m_x);
        xcb_create_window(m_x, XCB_COPY_FROM_PARENT, window, m_root, 0, 0, 100, 100, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        return window;
    }

    bool inFront() { return FullScreenWindow::isFullScreenInFront(m_x, m_root, m_own, ::getpid()); }

    QByteArray m_display;
    QList<quint32> m_own;
    xcb_connection_t *m_x = nullptr;
    xcb_window_t m_root = 0;
};

void tst_FullScreenWindow::initTestCase()
{
    if (m_display.isEmpty()) {
        // Offscreen: no X server to ask.
        QVERIFY(!FullScreenWindow::isFullScreenInFront());
        QVERIFY(!IdleTime::seconds());
        QSKIP("no Xvfb: only the answers without an X server were checked");
    }
    m_x = xcb_connect(m_display.constData(), nullptr);
    QVERIFY(!xcb_connection_has_error(m_x));
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_x)).data->root;
}

void tst_FullScreenWindow::cleanupTestCase()
{
    if (m_x)
        xcb_disconnect(m_x);
}

void tst_FullScreenWindow::foreignFullScreenWindowInFront()
{
    const xcb_atom_t fullScreen = atom("_NET_WM_STATE_FULLSCREEN");
    QVERIFY(!inFront()); // nothing active yet

    const xcb_window_t player = newWindow();
    setAtoms(player, "_NET_WM_STATE", {atom("_NET_WM_STATE_ABOVE")});
    setActive(player);
    QVERIFY(!inFront());
    setAtoms(player, "_NET_WM_STATE", {atom("_NET_WM_STATE_ABOVE"), fullScreen});
    setActive(player);
    QVERIFY(inFront());

    // A desktop window covers the screen without being in anyone's way.
    const xcb_window_t desktop = newWindow();
    setAtoms(desktop, "_NET_WM_STATE", {fullScreen});
    setAtoms(desktop, "_NET_WM_WINDOW_TYPE", {atom("_NET_WM_WINDOW_TYPE_DESKTOP")});
    setActive(desktop);
    QVERIFY(!inFront());

    // Our own full-screen windows, by id or by process, never count.
    const xcb_window_t own = newWindow();
    m_own = {own};
    setAtoms(own, "_NET_WM_STATE", {fullScreen});
    setActive(own);
    QVERIFY(!inFront());
    const uint32_t pid = uint32_t(::getpid());
    xcb_change_property(m_x, XCB_PROP_MODE_REPLACE, player, atom("_NET_WM_PID"), XCB_ATOM_CARDINAL,
                        32, 1, &pid);
    setActive(player);
    QVERIFY(!inFront());

    // A window manager that names a window already gone: an X error, no crash, no.
    const xcb_window_t gone = newWindow();
    xcb_destroy_window(m_x, gone);
    setActive(gone);
    QVERIFY(!inFront());
    QVERIFY(!xcb_connection_has_error(m_x));
    setActive(XCB_WINDOW_NONE);
    QVERIFY(!inFront());
}

void tst_FullScreenWindow::idleTimeFromTheServer()
{
    Display *display = XOpenDisplay(m_display.constData());
    QVERIFY(display);
    const std::optional<qint64> idle = IdleTime::fromX11(display);
    XCloseDisplay(display);
    QVERIFY(idle.has_value());
    QVERIFY(*idle >= 0 && *idle < 3600);
    QVERIFY(!IdleTime::fromX11(nullptr));
}

// A private Xvfb, when the machine has one; the X server tells its display number
// once it accepts connections.
static QProcess *startXvfb(QByteArray *displayName)
{
    auto *server = new QProcess;
    server->start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                           QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                                           QStringLiteral("-screen"), QStringLiteral("0"),
                                           QStringLiteral("800x600x24")});
    if (!server->waitForStarted(5000)) {
        delete server;
        return nullptr;
    }
    QByteArray display;
    while (!display.contains('\n') && server->waitForReadyRead(10000))
        display += server->readAllStandardOutput();
    if (!display.contains('\n')) {
        server->kill();
        server->waitForFinished();
        delete server;
        return nullptr;
    }
    *displayName = ":" + display.trimmed();
    return server;
}

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QByteArray display;
    QProcess *server = startXvfb(&display);
    int result = 0;
    {
        tst_FullScreenWindow test(display);
        result = QTest::qExec(&test, argc, argv);
    }
    if (server) {
        server->terminate();
        server->waitForFinished(5000);
        delete server;
    }
    return result;
}

#include "tst_FullScreenWindow.moc"
