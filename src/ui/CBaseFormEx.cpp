#include "CBaseFormEx.h"

#include "FrameMover.h"
#include "SkinPainter.h"
#include "platform/Compositor.h"

#include <QPainter>

CBaseFormEx::CBaseFormEx(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    // Must be decided before the native window exists: without a compositor the
    // transparent corners and rings would come out black.
    m_painter.setTranslucent(Compositor::isRunning());
    setAttribute(Qt::WA_TranslucentBackground, m_painter.translucent());
    m_painter.setSkin(SkinPainter::current());
    m_mover = new FrameMover(this);
    m_mover->setEdgeOffset(m_painter.margin());
}

void CBaseFormEx::setBandHeight(int height)
{
    m_painter.setBandHeight(height);
    update();
}

void CBaseFormEx::setFooterHeight(int height)
{
    m_painter.setFooterHeight(height);
    update();
}

void CBaseFormEx::setResizable(bool resizable)
{
    m_mover->setResizable(resizable);
}

void CBaseFormEx::slot_skinChange(const SysUIData &skin)
{
    m_painter.setSkin(skin);
    update();
}

void CBaseFormEx::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_painter.paint(painter, this);
}

void CBaseFormEx::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    // The skin picture is placed by screen position, so a move shows another part.
    if (SkinPainter::hasPicture(m_painter.skin()))
        update();
}
