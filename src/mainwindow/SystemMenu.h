#pragma once

#include "ui/CMenuEx.h"

#include <QMainWindow>

#include <functional>

class MainWindowSeams;
class QLabel;
class QAction;

// The main window's drop-down menu of program-level actions, and the hand-off
// of a damaged history database to the repair program.
class SystemMenu : public QMainWindow
{
    Q_OBJECT
public:
    // The repair program and the tool it runs, beside the shell's executable.
    static QString repairProgramName();
    static QString repairToolName();

    explicit SystemMenu(MainWindowSeams *seams, QWidget *parent = nullptr);

    QMenu *mainMenu() const { return m_main; }
    QMenu *settingsMenu() const { return m_settings; }
    QMenu *helpMenu() const { return m_help; }
    QAction *action(const QString &objectName) const;
    // The upgrade entry's "new" badge, for when a newer version is known.
    void setNewVersionKnown(bool known);
    bool newVersionKnown() const { return m_newVersion; }

    // Store access, replaceable in tests.
    std::function<QString()> messageRoot;
    std::function<QString()> accountFolder;
    std::function<bool(const QString &folder, const QString &root)> databaseHealthy;
    std::function<void()> closeDatabase;
    std::function<void(const QString &folder, const QString &root)> reopenDatabase;
    std::function<bool(const QUrl &url)> openUrl;
    // "确定"/"取消" question; true for "确定".
    std::function<bool(const QString &title, const QString &text)> confirm;
    std::function<void(bool shown)> waitDialog;

    // True when the user wants the damaged database repaired.
    bool checkDB(const QString &account);
    // The whole help-menu action: check, then close the store, start the repair, exit.
    bool checkAndRepair(const QString &account);
    // The change-password address for the account; empty when not http(s).
    static QUrl passwordUrl(const QString &base, const QString &account);

signals:
    void signal_close();
    void signal_showViewDetail();
    void signal_changeUser(QString);

public slots:
    void slot_showSetMenu();
    void slot_showHelpMenu();
    void slot_menuclick(QAction *action);
    void slot_setmenuclick(QAction *action);
    void slot_helpMenuclick(QAction *action);

private:
    QAction *add(QMenu *menu, const char *objectName, const QString &text);
    bool refusedOffline(const QString &text);

    MainWindowSeams *m_seams;
    CMenuEx *m_main;
    CMenuEx *m_settings;
    CMenuEx *m_help;
    QLabel *m_updateBadge;
    bool m_newVersion = false;
};
