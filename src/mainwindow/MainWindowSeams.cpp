#include "MainWindowSeams.h"

#include "common/CommonFun.h"
#include "log/ShellLog.h"
#include "platform/DetachedProgram.h"
#include "platform/DiskSpace.h"
#include "platform/IdleTime.h"
#include "platform/OwnProcesses.h"
#include "ui/BaseDialogEx.h"

#include <csignal>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>


MainWindowSeams MainWindowSeams::defaults()
{
    MainWindowSeams s;
    s.idleSeconds = [] { return IdleTime::seconds().value_or(-1); };
    s.fullScreenInFront = [] { return CommonFun::isFullScreenForeground(); };
    s.freeMegabytes = [](const QString &folder) -> std::optional<quint64> {
        // A fresh account's folders are made on first use; the disk they will
        // be made on is the one of the nearest folder that exists.
        QFileInfo existing(folder);
        while (!existing.exists() && !existing.isRoot())
            existing.setFile(existing.absolutePath());
        const DiskSpace::Result space = DiskSpace::query(existing.absoluteFilePath());
        if (!space.ok) {
            LOG_WARN(QStringLiteral("free space of %1 unknown: %2").arg(folder, space.error));
            return std::nullopt;
        }
        return space.freeMegabytes;
    };
    s.startDetached = [](const QString &program, const QStringList &arguments) {
        QString error;
        if (!DetachedProgram::start(program, arguments, &error)) {
            LOG_WARN(error);
            return false;
        }
        return true;
    };
    s.endOwnMediaPlayers = [] {
        const OwnProcesses::Result result = OwnProcesses::endNamed(QStringLiteral("mplayer"));
        for (qint64 pid : result.ended)
            LOG_INFO(QStringLiteral("media player %1 ended").arg(pid));
        return result.ok;
    };
    s.quitLoop = [] { QCoreApplication::quit(); };
    s.now = [] { return QDateTime::currentDateTime(); };
    s.applicationDir = [] { return QCoreApplication::applicationDirPath(); };
    s.applicationFile = [] { return QCoreApplication::applicationFilePath(); };
    s.askYesNo = [](const QString &title, const QString &text) {
        BaseDialogEx box(nullptr, title, text, BaseDialogEx::Message,
                         BaseDialogEx::CloseButton | BaseDialogEx::OkButton | BaseDialogEx::CancelButton,
                         BaseDialogEx::QuestionIcon);
        box.setButtonTexts(QStringLiteral("是"), QStringLiteral("否"));
        return box.exec() == BaseDialogEx::Accepted;
    };
    s.notify = [](const QString &title, const QString &text) {
        QTimer::singleShot(0, qApp, [title, text] {
            auto *box = new BaseDialogEx(nullptr, title, text, BaseDialogEx::Message,
                                         BaseDialogEx::CloseButton | BaseDialogEx::OkButton,
                                         BaseDialogEx::InfoIcon);
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->open();
        });
    };
    auto nothing = [] {};
    s.showWeatherPanel = nothing;
    s.openAppBox = nothing;
    s.showSkinWindow = nothing;
    s.openFeedback = nothing;
    s.startUpgradeCheck = nothing;
    s.receiveNewVersion = nothing;
    s.trayLoginFinished = nothing;
    s.trayPresence = [](int) {};
    s.trayMarkUserQuit = nothing;
    s.trayHide = nothing;
    s.showMessageBox = nothing;
    return s;
}
