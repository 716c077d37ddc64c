#pragma once

#include "WindowPlacement.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QPropertyAnimation;
class QWidget;

// Docking at a screen edge and auto-hiding there, on the window's own screen.
class DockController : public QObject
{
    Q_OBJECT
public:
    explicit DockController(QWidget *window, QObject *parent = nullptr);

    std::function<QList<WindowPlacement::Screen>()> screens;
    std::function<bool()> autoHideOn;   // "/basicSetting/autoHide" is "1"
    std::function<bool()> panelVetoes;  // the main panel keeps the window shown
    std::function<bool()> popupOpen;    // one of the window's own pop-ups is up
    int animationMs = 200;

    int stayType() const { return m_stayType; }
    void setStayType(int stayType);
    bool isHidden() const { return m_hidden; }
    // The next leave is ignored (a pop-up of the window took the mouse).
    void skipNextLeave() { m_skipLeave = true; }

    // The window was moved: unless we placed it ourselves, the edge it now stays at.
    void moved();

    // Geometry the shell sets itself (restoring, fitting) says nothing of docking.
    class OwnMove
    {
    public:
        explicit OwnMove(DockController *dock) : m_dock(dock), m_was(dock->m_moving) { dock->m_moving = true; }
        ~OwnMove() { m_dock->m_moving = m_was; }
        OwnMove(const OwnMove &) = delete;
        OwnMove &operator=(const OwnMove &) = delete;

    private:
        DockController *m_dock;
        bool m_was;
    };
    void leave(const QPoint &cursor);
    void enter();
    // Shows a docked window at its edge (Command::ShowDocked).
    void showDocked();

    WindowPlacement::Screen ownScreen() const;

signals:
    void geometryApplied(const QRect &geometry);

private:
    void moveTo(const QRect &target);
    void setTopmost(bool on);

    QWidget *m_window;
    QPointer<QPropertyAnimation> m_animation;
    int m_stayType = WindowPlacement::Free;
    // A hidden window lies mostly off its screen: remember which one it hides at.
    int m_screenIndex = -1;
    bool m_hidden = false;
    bool m_skipLeave = false;
    bool m_moving = false;
};
