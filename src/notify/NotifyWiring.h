#pragma once

class QObject;
class QWidget;

// Joins the tray, the small box and the unread-message box once all exist.
// The unread box is met through its signal and slot names only.
namespace NotifyWiring {

// Installs the tray's dispatcher entry.
void installTrayEntry();
// Null leaves the tray without one; the small box then logs instead of opening it.
void connectUnreadBox(QWidget *unreadBox);

} // namespace NotifyWiring
