#include "Compositor.h"

#include "log/ShellLog.h"

#include <QGuiApplication>
#include <QLibrary>

#if QT_CONFIG(xcb)
#include <X11/Xlib.h>
#endif

namespace {

std::optional<bool> &forced()
{
    static std::optional<bool> answer;
    return answer;
}

} // namespace

void Compositor::setForcedAnswer(std::optional<bool> answer)
{
    forced() = answer;
}

bool Compositor::decide(const QString &platform, std::optional<bool> x11Owner)
{
    if (platform == QLatin1String("xcb"))
        return x11Owner.value_or(false);
    // Wayland compositors always blend; an offscreen grab keeps the alpha channel.
    if (platform.startsWith(QLatin1String("wayland")) || platform == QLatin1String("offscreen"))
        return true;
    return false;
}

bool Compositor::isRunning()
{
    if (forced())
        return *forced();
    const QString platform = QGuiApplication::platformName();
    return decide(platform, platform == QLatin1String("xcb") ? askX11() : std::nullopt);
}

std::optional<bool> Compositor::askX11()
{
#if QT_CONFIG(xcb)
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *display = x11 ? x11->display() : nullptr;
    if (!display) {
        LOG_WARN(QStringLiteral("Compositor: no X11 display to ask, painting opaque"));
        return std::nullopt;
    }
    // Resolved at run time: the xcb platform plug-in has already loaded libX11.
    using InternAtom = Atom (*)(Display *, const char *, Bool);
    using SelectionOwner = Window (*)(Display *, Atom);
    using DefaultScreenOf = int (*)(Display *);
    QLibrary xlib(QStringLiteral("X11"), 6);
    auto internAtom = reinterpret_cast<InternAtom>(xlib.resolve("XInternAtom"));
    auto selectionOwner = reinterpret_cast<SelectionOwner>(xlib.resolve("XGetSelectionOwner"));
    auto defaultScreen = reinterpret_cast<DefaultScreenOf>(xlib.resolve("XDefaultScreen"));
    if (!internAtom || !selectionOwner || !defaultScreen) {
        LOG_WARN(QStringLiteral("Compositor: libX11 not usable (%1), painting opaque").arg(xlib.errorString()));
        return std::nullopt;
    }
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(defaultScreen(display));
    const Atom atom = internAtom(display, name.constData(), False);
    return atom != 0 && selectionOwner(display, atom) != 0;
#else
    return std::nullopt;
#endif
}
