#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// What the main window needs of the desktop and of features built elsewhere,
// as replaceable functions: tests inject time, idle and programs; the weather,
// app box, skin, feedback, upgrade and tray fill their hooks when they land.
struct MainWindowSeams
{
    // Platform
    std::function<int()> idleSeconds;           // negative: unknown, nothing automatic
    std::function<bool()> fullScreenInFront;
    std::function<std::optional<quint64>(const QString &folder)> freeMegabytes;
    std::function<bool(const QString &program, const QStringList &arguments)> startDetached;
    // False when the process list cannot be read.
    std::function<bool()> endOwnMediaPlayers;
    std::function<void()> quitLoop;
    std::function<QDateTime()> now;
    std::function<QString()> applicationDir;
    std::function<QString()> applicationFile;

    // Questions the user answers before an exit goes on.
    std::function<bool(const QString &title, const QString &text)> askYesNo;
    // A modeless notice; shown after the current call returns.
    std::function<void(const QString &title, const QString &text)> notify;

    // Features of their own
    std::function<void()> showWeatherPanel;
    std::function<void()> openAppBox;
    std::function<void()> showSkinWindow;
    std::function<void()> openFeedback;
    std::function<void()> startUpgradeCheck;
    std::function<void()> receiveNewVersion;
    std::function<void()> trayLoginFinished;
    std::function<void(int code)> trayPresence;
    std::function<void()> trayMarkUserQuit;
    std::function<void()> trayHide;
    // Opens the unread-message box (its own feature).
    std::function<void()> showMessageBox;
    // The close confirmation; null until it is available (closing then follows the stored choice).
    std::function<void()> showCloseConfirmation;

    // Every function set: the real desktop, do-nothing hooks.
    static MainWindowSeams defaults();
};
