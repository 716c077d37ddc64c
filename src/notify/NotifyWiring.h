#pragma once

#include <functional>

class QObject;
class QWidget;

// Joins the tray, the small box and the unread-message box once all exist.
// The unread box is met through its signal and slot names only.
namespace NotifyWiring {

// Installs the tray's dispatcher entry.
void installTrayEntry();
// Null leaves the tray without one; the small box then logs instead of opening it.
void connectUnreadBox(QWidget *unreadBox);

// The tray's menu and click signals into the main window's slots; false and a
// log line for each route the window does not offer. hasContactList tells the
// time-out notice whether the window already holds its contact list.
bool connectMainWindow(QObject *mainWindow, std::function<bool()> hasContactList);

} // namespace NotifyWiring
