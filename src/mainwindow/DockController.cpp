#include "DockController.h"

#include "log/ShellLog.h"

#include <QGuiApplication>
#include <QPropertyAnimation>
#include <QScreen>
#include <QWidget>
#include <QWindow>

DockController::DockController(QWidget *window, QObject *parent)
    : QObject(parent)
    , m_window(window)
{
    screens = [] {
        QList<WindowPlacement::Screen> list;
        for (QScreen *screen : QGuiApplication::screens())
            list.append({screen->geometry(), screen->availableGeometry()});
        return list;
    };
    autoHideOn = [] { return false; };
    panelVetoes = [] { return false; };
    popupOpen = [] { return false; };
}

void DockController::setStayType(int stayType)
{
    m_stayType = stayType >= WindowPlacement::Free && stayType <= WindowPlacement::Right
                     ? stayType
                     : WindowPlacement::Free;
}

WindowPlacement::Screen DockController::ownScreen() const
{
    const QList<WindowPlacement::Screen> list = screens();
    if (list.isEmpty())
        return {};
    if (m_hidden && m_screenIndex >= 0 && m_screenIndex < list.size())
        return list.at(m_screenIndex);
    return list.at(WindowPlacement::screenFor(m_window->geometry(), list));
}

void DockController::moved()
{
    // Our own moves (hide, show, animation) say nothing about where the user wants it.
    if (m_moving || m_hidden)
        return;
    m_stayType = WindowPlacement::edgeTouched(m_window->geometry(), ownScreen());
}

void DockController::leave(const QPoint &cursor)
{
    if (m_window->geometry().contains(cursor))
        return;
    if (m_skipLeave) {
        m_skipLeave = false;
        return;
    }
    if (m_stayType == WindowPlacement::Free) {
        if (m_window->isActiveWindow())
            setTopmost(false);
        return;
    }
    if (popupOpen() || !autoHideOn() || m_hidden || panelVetoes())
        return;
    const QList<WindowPlacement::Screen> list = screens();
    m_screenIndex = WindowPlacement::screenFor(m_window->geometry(), list);
    const QPoint hidden = WindowPlacement::hiddenPosition(m_stayType, m_window->geometry(), ownScreen());
    m_hidden = true;
    moveTo(QRect(hidden, m_window->size()));
    setTopmost(true);
    m_window->show();
}

void DockController::enter()
{
    if (m_stayType == WindowPlacement::Free)
        return;
    const WindowPlacement::Screen screen = ownScreen();
    m_hidden = false;
    int stay = m_stayType;
    const QRect target = WindowPlacement::shownGeometry(stay, m_window->geometry(), screen);
    m_stayType = stay;
    if (target.size() != m_window->size()) {
        m_moving = true;
        m_window->resize(target.size());
        m_moving = false;
    }
    moveTo(target);
}

void DockController::showDocked()
{
    enter();
    m_window->show();
    m_window->raise();
}

void DockController::moveTo(const QRect &target)
{
    if (m_animation)
        m_animation->stop();
    if (animationMs <= 0 || !m_window->isVisible()) {
        m_moving = true;
        m_window->move(target.topLeft());
        m_moving = false;
        emit geometryApplied(m_window->geometry());
        return;
    }
    auto *animation = new QPropertyAnimation(m_window, "pos", this);
    animation->setDuration(animationMs);
    animation->setEndValue(target.topLeft());
    m_moving = true;
    connect(animation, &QPropertyAnimation::finished, this, [this] {
        m_moving = false;
        emit geometryApplied(m_window->geometry());
    });
    m_animation = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void DockController::setTopmost(bool on)
{
    // setWindowFlags would hide the widget; the handle's flag does not.
    if (QWindow *handle = m_window->windowHandle())
        handle->setFlag(Qt::WindowStaysOnTopHint, on);
}
