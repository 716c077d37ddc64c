#pragma once

#include <QList>

class MsgView;
class QLabel;
class QListView;
class QPushButton;
class QSplitter;
class QStackedWidget;
class QStandardItemModel;
class QTreeView;
class QWidget;

// The unread box's widgets: title bar with tabs, the message page (senders,
// preview, actions) and the request page.
struct MsgBoxUi
{
    void setupUi(QWidget *box, int margin, QStandardItemModel *frdModel,
                 QStandardItemModel *requestModel, MsgView *view);

    QLabel *m_titleLabel = nullptr;
    QPushButton *m_minButton = nullptr;
    QPushButton *m_maxButton = nullptr;
    QPushButton *m_closeButton = nullptr;
    QPushButton *m_msgTab = nullptr;
    QPushButton *m_requestTab = nullptr;
    QStackedWidget *m_pages = nullptr;
    QStackedWidget *m_listPages = nullptr;
    QStackedWidget *m_previewPages = nullptr;
    QListView *frdListView = nullptr;
    QTreeView *ReQuest_List = nullptr;
    QSplitter *m_msgSplitter = nullptr;
    QSplitter *m_requestSplitter = nullptr;
    QPushButton *m_openButton = nullptr;
    QPushButton *m_openAllButton = nullptr;
    QPushButton *m_ignoreButton = nullptr;
    QPushButton *m_ignoreAllButton = nullptr;
    QList<QPushButton *> m_requestButtons;
};
