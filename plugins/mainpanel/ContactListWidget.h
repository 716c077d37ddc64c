#pragma once

#include <QHash>
#include <QMenu>
#include <QPointer>
#include <QSet>
#include <QWidget>

class QLineEdit;
class QMenu;
class QTimer;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

// The contact list the main window embeds: departments as groups, colleagues
// with heads and presence, a search field and the demo menu.
class ContactListWidget : public QWidget
{
    Q_OBJECT
public:
    explicit ContactListWidget(QWidget *parent = nullptr);

    void setOwnJid(const QString &jid);
    void setPresence(const QString &jid, int code);
    void setAllOffline();
    void setUnread(const QString &jid, int count);
    // Empty JID: everybody.
    void stopFlashing(const QString &jid);
    QStringList expandedGroups() const;
    bool popupOpen() const;
    void applySkin();

    QTreeWidget *list() const { return m_tree; }
    QMenu *demoMenu() const { return m_demoMenu; }
    QString jidAt(QTreeWidgetItem *item) const;

signals:
    void chatRequested(const QString &jid);
    void demoRequested(int kind);

private:
    void rebuild();
    void filter(const QString &text);
    void refreshItem(const QString &jid);
    void refreshCounts();
    void flashTick();

    QLineEdit *m_search;
    QTreeWidget *m_tree;
    QToolButton *m_demoButton;
    QPointer<QMenu> m_demoMenu;
    QTimer *m_flashTimer;
    QString m_ownJid;
    QHash<QString, int> m_presence;
    QHash<QString, int> m_unread;
    QHash<QString, QTreeWidgetItem *> m_items;
    QSet<QString> m_flashing;
    bool m_flashOn = false;
};
