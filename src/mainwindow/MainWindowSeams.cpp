#include "MainWindowSeams.h"

#include "common/CommonFun.h"
#include "log/ShellLog.h"
#include "platform/DiskSpace.h"
#include "ui/BaseDialogEx.h"

#include <QApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

MainWindowSeams MainWindowSeams::defaults()
{
    MainWindowSeams s;
    s.idleSeconds = [] { return -1; };
    s.fullScreenInFront = [] { return CommonFun::isFullScreenForeground(); };
    s.freeMegabytes = [](const QString &folder) -> std::optional<quint64> {
        const auto figures = DiskSpace::query(folder);
        if (!figures)
            return std::nullopt;
        return figures->availableBytes / 1024 / 1024;
    };
    s.startDetached = [](const QString &program, const QStringList &arguments) {
        if (!QFileInfo(program).isAbsolute() || !QFileInfo(program).isExecutable()) {
            LOG_WARN(QStringLiteral("cannot start %1: not an executable absolute path").arg(program));
            return false;
        }
        if (!QProcess::startDetached(program, arguments)) {
            LOG_WARN(QStringLiteral("cannot start %1").arg(program));
            return false;
        }
        return true;
    };
    s.endOwnMediaPlayers = [] { return true; };
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
    return s;
}
