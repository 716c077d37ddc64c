#include "WindowStacking.h"

#include <QSystemTrayIcon>
#include <QWidget>
#include <QWindow>

void WindowStacking::setTopmost(QWidget *window, bool topmost)
{
    if (!window)
        return;
    if (QWindow *handle = window->windowHandle()) {
        handle->setFlag(Qt::WindowStaysOnTopHint, topmost);
        return;
    }
    // No native window yet: the flag is taken when it is created, nothing is hidden.
    window->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
}

bool WindowStacking::setTaskbarEntry(QWidget *window, bool shown)
{
    if (!window)
        return true;
    const bool tool = !shown && QSystemTrayIcon::isSystemTrayAvailable();
    if ((window->windowType() == Qt::Tool) == tool)
        return !tool;
    // The window type is fixed when the native window maps, so a shown window is
    // re-shown at the same place.
    const bool visible = window->isVisible();
    const QRect place = window->geometry();
    // Qt::Tool shares its bits with Qt::Window: swap the whole type, keep the hints.
    window->setWindowFlags((window->windowFlags() & ~Qt::WindowType_Mask)
                           | (tool ? Qt::Tool : Qt::Window));
    if (visible) {
        window->setGeometry(place);
        window->show();
    }
    return !tool;
}
