#pragma once

#include "MainWindowSeams.h"

#include "bus/entries/MainWindowEntry.h"

#include <QPointer>

#include <functional>

class MainWindow;

// The dispatcher's door to the main window. The window is made by the log-in
// rows only; every other row leaves it alone (and logs) until it exists.
class MainWindowEntryImpl : public MainWindowEntry
{
public:
    explicit MainWindowEntryImpl(std::function<MainWindowSeams()> seams = &MainWindowSeams::defaults);
    ~MainWindowEntryImpl() override;

    MainWindow *window() const;

    bool hasMainWindow() override;
    void loginCompleted() override;
    void checkFreeDiskSpace() override;
    void mainWindowLoggedIn(int presenceCode) override;
    void showOnlinePresence(int value) override;
    void showInvisiblePresence(bool invisible) override;
    // The presence code the window shows; 0 (off-line) before it exists.
    int mainWindowPresence() override;
    // Whether the post-log-in step has run in this process.
    bool mainWindowStateFlag() override;
    void setMainWindowPresenceCode(int code) override;
    // The docking state: 0 free, 1 top, 2 bottom, 3 left, 4 right.
    int mainWindowStateValue() override;
    void loginAgain() override;
    void closeMainWindowIfVisible() override;
    void showMainWindowDocked() override;
    void setUnreadBadge(const QString &text) override;
    void setStatusLine(const QString &text) override;
    void reportHotKeyConflict(int value) override;
    void showReceiveMessage() override;
    void showScreenshot() override;
    void applySkinAndRepaint() override;

private:
    MainWindow *ensure();
    MainWindow *existing(const char *row) const;

    std::function<MainWindowSeams()> m_seams;
    QPointer<MainWindow> m_window;
};
