#pragma once

#include <QList>

class QLabel;
class QLineEdit;
class QMainWindow;
class QPushButton;
class QVBoxLayout;
class QWidget;

// The main window's widgets: header, search, the slot for the contact list and
// the bottom bar. Built once; the window connects and fills them.
class MainWindowUi
{
public:
    void setupUi(QMainWindow *window);

    QPushButton *mini = nullptr;
    QPushButton *close = nullptr;
    QLabel *head = nullptr;
    QLabel *name = nullptr;
    QPushButton *presence = nullptr;
    QLineEdit *signature = nullptr;
    QLineEdit *search = nullptr;
    QWidget *listHost = nullptr;
    QVBoxLayout *listLayout = nullptr;
    // The bottom bar in order: menu, add friend, phone, message manager, file
    // manager, topic, message box, skin, app box, settings.
    QList<QPushButton *> bottom;
    QLabel *badge = nullptr;
    QLabel *callBadge = nullptr;

    enum Bottom { Menu, AddFriend, Phone, MessageManager, FileManager, Topic, MessageBox, Skin,
                  AppBox, Settings };
};
