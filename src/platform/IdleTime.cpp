#include "IdleTime.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QGuiApplication>

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace {

// Asked every second on the GUI thread: a silent service must not stall the window.
constexpr int DBusTimeoutMs = 200;
constexpr qint64 RetryAfterFailureMs = 60000;

IdleTime::Source &source()
{
    static IdleTime::Source replaced;
    return replaced;
}

std::optional<qint64> x11IdleSeconds()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return IdleTime::fromX11(x11 ? x11->display() : nullptr);
}

std::optional<qint64> dbusIdleMilliseconds(const QString &service, const QString &path,
                                           const QString &interface, const QString &method)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return std::nullopt;
    const QDBusMessage reply = bus.call(
        QDBusMessage::createMethodCall(service, path, interface, method), QDBus::Block,
        DBusTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    bool ok = false;
    const qint64 milliseconds = reply.arguments().first().toLongLong(&ok);
    if (!ok || milliseconds < 0)
        return std::nullopt;
    return milliseconds;
}

std::optional<qint64> waylandIdleSeconds()
{
    // A desktop without either service is asked again only once a minute.
    static QElapsedTimer sinceBothFailed;
    if (sinceBothFailed.isValid() && sinceBothFailed.elapsed() < RetryAfterFailureMs)
        return std::nullopt;
    std::optional<qint64> milliseconds = dbusIdleMilliseconds(
        QStringLiteral("org.gnome.Mutter.IdleMonitor"), QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core"),
        QStringLiteral("org.gnome.Mutter.IdleMonitor"), QStringLiteral("GetIdletime"));
    if (!milliseconds)
        milliseconds = dbusIdleMilliseconds(
            QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("/org/freedesktop/ScreenSaver"),
            QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("GetSessionIdleTime"));
    if (!milliseconds) {
        sinceBothFailed.start();
        return std::nullopt;
    }
    sinceBothFailed.invalidate();
    return *milliseconds / 1000;
}

} // namespace

std::optional<qint64> IdleTime::seconds()
{
    if (source())
        return source()();
    if (!qGuiApp)
        return std::nullopt;
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb"))
        return x11IdleSeconds();
    if (platform.startsWith(QLatin1String("wayland")))
        return waylandIdleSeconds();
    return std::nullopt;
}

std::optional<qint64> IdleTime::fromX11(Display *display)
{
    if (!display)
        return std::nullopt;
    int eventBase = 0;
    int errorBase = 0;
    if (!XScreenSaverQueryExtension(display, &eventBase, &errorBase))
        return std::nullopt;
    XScreenSaverInfo *info = XScreenSaverAllocInfo();
    if (!info)
        return std::nullopt;
    std::optional<qint64> seconds;
    if (XScreenSaverQueryInfo(display, DefaultRootWindow(display), info))
        seconds = qint64(info->idle / 1000);
    XFree(info);
    return seconds;
}

void IdleTime::setSource(Source replacement)
{
    source() = std::move(replacement);
}
