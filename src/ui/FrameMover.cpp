#include "FrameMover.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

FrameMover::FrameMover(QWidget *window, bool resizable)
    : QObject(window)
    , m_window(window)
    , m_resizable(resizable)
{
    window->installEventFilter(this);
    setResizable(resizable);
}

void FrameMover::setResizable(bool resizable)
{
    m_resizable = resizable;
    if (resizable)
        m_window->setMouseTracking(true);
}

Qt::Edges FrameMover::edgesAt(const QPoint &pos) const
{
    Qt::Edges edges;
    if (!m_resizable)
        return edges;
    // The shadow margin belongs to the strip, so it stays grabbable under any window manager.
    const int strip = ResizeStrip + m_edgeOffset;
    if (pos.x() < strip)
        edges |= Qt::LeftEdge;
    if (pos.x() >= m_window->width() - strip)
        edges |= Qt::RightEdge;
    if (pos.y() < strip)
        edges |= Qt::TopEdge;
    if (pos.y() >= m_window->height() - strip)
        edges |= Qt::BottomEdge;
    return edges;
}

static Qt::CursorShape cursorFor(Qt::Edges edges)
{
    if (edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge))
        return Qt::SizeFDiagCursor;
    if (edges == (Qt::RightEdge | Qt::TopEdge) || edges == (Qt::LeftEdge | Qt::BottomEdge))
        return Qt::SizeBDiagCursor;
    if (edges & (Qt::LeftEdge | Qt::RightEdge))
        return Qt::SizeHorCursor;
    if (edges & (Qt::TopEdge | Qt::BottomEdge))
        return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}

bool FrameMover::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        QWindow *handle = m_window->windowHandle();
        const Qt::Edges edges = edgesAt(mouse->position().toPoint());
        if (edges && handle && handle->startSystemResize(edges))
            return true;
        if (!edges && handle && handle->startSystemMove())
            return true; // no release follows a system move
        if (!edges) {
            m_dragging = true;
            m_pressOffset = mouse->globalPosition().toPoint() - m_window->frameGeometry().topLeft();
            return true;
        }
        break;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_dragging && (mouse->buttons() & Qt::LeftButton)) {
            m_window->move(mouse->globalPosition().toPoint() - m_pressOffset);
            return true;
        }
        if (m_resizable && mouse->buttons() == Qt::NoButton)
            m_window->setCursor(cursorFor(edgesAt(mouse->position().toPoint())));
        break;
    }
    case QEvent::MouseButtonRelease:
        if (m_dragging && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            m_dragging = false;
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}
