#pragma once

#include <QList>

class CIconButtonEx;
class CLineEditEx;
class CStatusButtonEx;
class HeadLabel;
class QLabel;
class QLineEdit;
class QMainWindow;
class QVBoxLayout;
class QWidget;

// The main window's widgets: header, search, the slot for the contact list and
// the bottom bar. Built once; the window connects and fills them.
class MainWindowUi
{
public:
    // margin: room kept for the frame (and its shadow) around the content.
    void setupUi(QMainWindow *window, int margin);
    // Where the skin band ends: below the header and the search field.
    int bandHeight() const;

    CIconButtonEx *mini = nullptr;
    CIconButtonEx *close = nullptr;
    HeadLabel *head = nullptr;
    QLabel *name = nullptr;
    CStatusButtonEx *presence = nullptr;
    QLineEdit *signature = nullptr;
    CLineEditEx *search = nullptr;
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
