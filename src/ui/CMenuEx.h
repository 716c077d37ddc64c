#pragma once

#include <QMenu>

// The shell's pop-up menu: white, thin dark border, a coloured bar on the hovered
// item. Style 0 leaves room for icons, 1 shows ticks for checked items, any other
// number is the plain compact look.
class CMenuEx : public QMenu
{
    Q_OBJECT
public:
    explicit CMenuEx(QWidget *parent = nullptr);

    void setMenuStyle(int style);
    int menuStyle() const { return m_style; }
    // The style sheet of a style number as written (resource paths relative).
    static QString styleSheetOf(int style);

private:
    int m_style = -1;
};
