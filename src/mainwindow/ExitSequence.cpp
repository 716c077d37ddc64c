#include "ExitSequence.h"

#include "bus/MainEventProcess.h"
#include "log/upload/MonitorLog.h"
#include "log/ShellLog.h"

#include <QDir>
#include <QFile>

ExitSequence::ExitSequence(MainWindowSeams *seams)
    : m_seams(seams)
{
}

void ExitSequence::emptyPhoneLog()
{
    const QString path = m_seams->applicationDir() + QStringLiteral("/config/phoneLog.ini");
    if (!QFile::exists(path))
        return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        LOG_WARN(QStringLiteral("cannot empty %1").arg(path));
}

bool ExitSequence::run(Mode mode, const Window &window)
{
    if (m_ran) {
        LOG_INFO(QStringLiteral("ExitSequence: already leaving, request ignored"));
        return false;
    }
    m_ran = true;
    const bool changeUser = mode == Mode::ChangeUser;
    if (changeUser)
        m_seams->trayHide();

    MainEventProcess::notifyExit();
    MainEventProcess::tellGroupChatExit(MainEventProcess::queryGroupChatExit());
    if (window.saveState)
        window.saveState();
    if (changeUser && window.clearLogInfo)
        window.clearLogInfo();
    emptyPhoneLog();

    if (!m_seams->endOwnMediaPlayers())
        m_seams->notify(QStringLiteral("提示"), QStringLiteral("查询进程失败！"));

    if (changeUser) {
        const QString program = m_seams->applicationFile();
        if (!m_seams->startDetached(program, {}))
            LOG_ERROR(QStringLiteral("MainWindow::slot_changeUser, new copy not started: %1").arg(program));
        else
            LOG_INFO(QStringLiteral("MainWindow::slot_changeUser,"));
    }

    MainEventProcess::reportExitState(ExitState);
    m_seams->trayMarkUserQuit();
    MainEventProcess::loginExit();
    MonitorLog::setEndTime(m_seams->now().toString(QStringLiteral("yyyyMMddhhmmsszzz")));

    // The monitoring flush after the loop handles events for up to 20 s:
    // nothing of this session may fire or stay on screen meanwhile.
    if (window.stopAndHide)
        window.stopAndHide();
    m_seams->trayHide();
    m_seams->quitLoop();
    return true;
}
