#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

// Lets the user drag a frameless window by its body and, when resizable, resize it
// from a 3-pixel strip along its edges. The window manager does the work where the
// platform supports it; otherwise the window follows the cursor by the press offset.
class FrameMover : public QObject
{
    Q_OBJECT
public:
    explicit FrameMover(QWidget *window, bool resizable = false);

    void setResizable(bool resizable);
    // Pixels of the window's edge that belong to the shadow, outside the frame.
    void setEdgeOffset(int offset) { m_edgeOffset = offset; }
    bool isDragging() const { return m_dragging; }

    static constexpr int ResizeStrip = 3;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Qt::Edges edgesAt(const QPoint &pos) const;

    QWidget *m_window;
    bool m_resizable;
    bool m_dragging = false;
    int m_edgeOffset = 0;
    QPoint m_pressOffset;
};
