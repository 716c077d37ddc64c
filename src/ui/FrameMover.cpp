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
        // No window manager help: resize by hand from the grabbed edges.
        m_resizing = edges;
        m_startGeometry = m_window->geometry();
        m_startCursor = mouse->globalPosition().toPoint();
        return true;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_dragging && (mouse->buttons() & Qt::LeftButton)) {
            m_window->move(mouse->globalPosition().toPoint() - m_pressOffset);
            return true;
        }
        if (m_resizing && (mouse->buttons() & Qt::LeftButton)) {
            resizeBy(mouse->globalPosition().toPoint() - m_startCursor);
            return true;
        }
        if (m_resizable && mouse->buttons() == Qt::NoButton)
            m_window->setCursor(cursorFor(edgesAt(mouse->position().toPoint())));
        break;
    }
    case QEvent::MouseButtonRelease:
        if ((m_dragging || m_resizing) && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            m_dragging = false;
            m_resizing = {};
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

void FrameMover::resizeBy(const QPoint &delta)
{
    QRect g = m_startGeometry;
    const QSize minimum = m_window->minimumSize().expandedTo(QSize(2 * (ResizeStrip + m_edgeOffset) + 1,
                                                                   2 * (ResizeStrip + m_edgeOffset) + 1));
    const QSize maximum = m_window->maximumSize();
    // The opposite edge stays put; the size keeps within the window's limits.
    if (m_resizing & Qt::LeftEdge)
        g.setLeft(qBound(g.right() + 1 - maximum.width(), g.left() + delta.x(), g.right() + 1 - minimum.width()));
    if (m_resizing & Qt::RightEdge)
        g.setRight(qBound(g.left() - 1 + minimum.width(), g.right() + delta.x(), g.left() - 1 + maximum.width()));
    if (m_resizing & Qt::TopEdge)
        g.setTop(qBound(g.bottom() + 1 - maximum.height(), g.top() + delta.y(), g.bottom() + 1 - minimum.height()));
    if (m_resizing & Qt::BottomEdge)
        g.setBottom(qBound(g.top() - 1 + minimum.height(), g.bottom() + delta.y(), g.top() - 1 + maximum.height()));
    m_window->setGeometry(g);
}
