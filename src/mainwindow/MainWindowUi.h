#pragma once

#include <QList>

class CIconButtonEx;
class CStatusButtonEx;
class HeadLabel;
class QLabel;
class QLineEdit;
class QMainWindow;
class QVBoxLayout;
class QWidget;

// The main window's widgets: header, the slot for the contact list and the
// bottom bar; searching belongs to the list the main-panel party hands over.
// Built once; the window connects and fills them.
class MainWindowUi
{
public:
    // margin: room kept for the frame (and its shadow) around the content.
    void setupUi(QMainWindow *window, int margin);
    // Where the skin band ends: below the header.
    int bandHeight() const;

    CIconButtonEx *mini = nullptr;
    CIconButtonEx *close = nullptr;
    HeadLabel *head = nullptr;
    QLabel *name = nullptr;
    CStatusButtonEx *presence = nullptr;
    QLineEdit *signature = nullptr;
    QWidget *listHost = nullptr;
    QVBoxLayout *listLayout = nullptr;
    // The bottom bar in order: menu, add friend, phone, message manager, file
    // manager, topic, message box, skin, app box, settings.
    QList<CIconButtonEx *> bottom;
    QLabel *badge = nullptr;
    QLabel *callBadge = nullptr;

    enum Bottom { Menu, AddFriend, Phone, MessageManager, FileManager, Topic, MessageBox, Skin,
                  AppBox, Settings };

    static QString buttonIcon(const char *name);
};
