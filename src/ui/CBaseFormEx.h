#pragma once

#include "FramePainter.h"

#include <QWidget>

class FrameMover;

// A frameless top-level window with the shared frame, shadow, skin band and white
// content area; dragged by its body, optionally resized from its edges.
class CBaseFormEx : public QWidget
{
    Q_OBJECT
public:
    explicit CBaseFormEx(QWidget *parent = nullptr);

    void setBandHeight(int height);
    int bandHeight() const { return m_painter.bandHeight(); }
    void setFooterHeight(int height);
    void setResizable(bool resizable);
    bool isTranslucentFrame() const { return m_painter.translucent(); }
    // Layout margins that keep children inside the frame.
    int frameMargin() const { return m_painter.margin(); }

public slots:
    void slot_skinChange(const SysUIData &skin);

protected:
    void paintEvent(QPaintEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    FramePainter &framePainter() { return m_painter; }

private:
    FramePainter m_painter;
    FrameMover *m_mover;
};
