#pragma once

class QWidget;

// Stacking and taskbar presence of a shown top-level window, changed in place:
// setWindowFlags() would hide the window and lose its place.
class WindowStacking
{
public:
    static void setTopmost(QWidget *window, bool topmost);
    // Without a tray host the taskbar entry is the only way back to a hidden
    // window, so it is removed only while a tray exists. Returns whether it is shown.
    static bool setTaskbarEntry(QWidget *window, bool shown);
};
