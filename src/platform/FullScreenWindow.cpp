#include "FullScreenWindow.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <unistd.h>

namespace {

std::function<bool()> &probe()
{
    static std::function<bool()> replaced;
    return replaced;
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 1, uint16_t(qstrlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return value;
}

// A vanished window answers with an error, never a crash: the result is then empty.
QList<quint32> cardinals(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property,
                         xcb_atom_t type)
{
    QList<quint32> values;
    if (property == XCB_ATOM_NONE)
        return values;
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, window, property, type, 0, 64);
    xcb_generic_error_t *error = nullptr;
    xcb_get_property_reply_t *reply = xcb_get_property_reply(connection, cookie, &error);
    std::free(error);
    if (!reply)
        return values;
    if (reply->format == 32) {
        const auto *data = static_cast<const quint32 *>(xcb_get_property_value(reply));
        const int count = xcb_get_property_value_length(reply) / 4;
        for (int i = 0; i < count; ++i)
            values.append(data[i]);
    }
    std::free(reply);
    return values;
}

QList<quint32> ownTopLevelWindows()
{
    QList<quint32> windows;
    for (QWindow *window : QGuiApplication::allWindows()) {
        // winId() would create a native window for one that has none yet.
        if (window->handle())
            windows.append(quint32(window->winId()));
    }
    return windows;
}

} // namespace

bool FullScreenWindow::isFullScreenInFront()
{
    if (probe())
        return probe()();
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb"))
        return false;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return false;
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen)
        return false;
    return isFullScreenInFront(connection, screen->root, ownTopLevelWindows(), qint64(::getpid()));
}

bool FullScreenWindow::isFullScreenInFront(xcb_connection_t *connection, quint32 rootWindow,
                                           const QList<quint32> &ownWindows, qint64 ownPid)
{
    if (!connection || xcb_connection_has_error(connection))
        return false;
    const xcb_atom_t fullScreen = atom(connection, "_NET_WM_STATE_FULLSCREEN");
    if (fullScreen == XCB_ATOM_NONE)
        return false; // no window manager has ever announced a full-screen window
    const QList<quint32> active =
        cardinals(connection, rootWindow, atom(connection, "_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW);
    const quint32 window = active.value(0);
    if (window == XCB_WINDOW_NONE || window == rootWindow || ownWindows.contains(window))
        return false;
    const QList<quint32> pid =
        cardinals(connection, window, atom(connection, "_NET_WM_PID"), XCB_ATOM_CARDINAL);
    if (!pid.isEmpty() && qint64(pid.first()) == ownPid)
        return false;
    const QList<quint32> types =
        cardinals(connection, window, atom(connection, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM);
    const xcb_atom_t desktop = atom(connection, "_NET_WM_WINDOW_TYPE_DESKTOP");
    if (desktop != XCB_ATOM_NONE && types.contains(desktop))
        return false;
    return cardinals(connection, window, atom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM)
        .contains(fullScreen);
}

void FullScreenWindow::setProbe(std::function<bool()> replacement)
{
    probe() = std::move(replacement);
}
