#include "MainWindowSeams.h"

#include "common/CommonFun.h"
#include "log/ShellLog.h"
#include "platform/DiskSpace.h"
#include "ui/BaseDialogEx.h"

#include <csignal>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

namespace {

// Until the platform layer offers it: ends the "mplayer" processes among our own
// descendants (and what they started), never another program's. False when the
// process list cannot be read.
bool endOwnPlayers()
{
    QDir proc(QStringLiteral("/proc"));
    if (!proc.exists())
        return false;
    QHash<qint64, qint64> parentOf;
    QHash<qint64, QByteArray> nameOf;
    for (const QString &entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (!ok)
            continue;
        QFile stat(proc.filePath(entry + QStringLiteral("/stat")));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const int open = line.indexOf('('), close = line.lastIndexOf(')');
        if (open < 0 || close < open)
            continue;
        nameOf.insert(pid, line.mid(open + 1, close - open - 1));
        parentOf.insert(pid, line.mid(close + 2).split(' ').value(1).toLongLong());
    }
    if (parentOf.isEmpty())
        return false;
    const qint64 self = QCoreApplication::applicationPid();
    auto descends = [&parentOf](qint64 pid, qint64 ancestor) {
        for (int depth = 0; pid > 1 && depth < 64; ++depth) {
            pid = parentOf.value(pid, 0);
            if (pid == ancestor)
                return true;
        }
        return false;
    };
    for (auto it = nameOf.cbegin(); it != nameOf.cend(); ++it) {
        if (it.value() != "mplayer" || !descends(it.key(), self))
            continue;
        for (auto child = parentOf.cbegin(); child != parentOf.cend(); ++child)
            if (descends(child.key(), it.key()))
                ::kill(pid_t(child.key()), SIGKILL);
        ::kill(pid_t(it.key()), SIGKILL);
        LOG_INFO(QStringLiteral("media player %1 ended").arg(it.key()));
    }
    return true;
}

} // namespace

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
    s.endOwnMediaPlayers = &endOwnPlayers;
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
