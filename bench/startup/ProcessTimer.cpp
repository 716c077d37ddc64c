#include "ProcessTimer.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

namespace {
constexpr int TimeoutMs = 60000;
}

ProcessTimer::ProcessTimer(QString program)
    : m_program(std::move(program))
    , m_base(QProcessEnvironment::systemEnvironment())
{
    // Inherited XDG folders would let every run share one "fresh" HOME.
    for (const char *var : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME",
                            "XDG_STATE_HOME", "XDG_DOCUMENTS_DIR"})
        m_base.remove(QString::fromLatin1(var));
    m_base.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    m_base.insert(QStringLiteral("LUMIO_EXIT_AFTER_START"), QStringLiteral("1"));
}

QProcessEnvironment ProcessTimer::environmentFor(const QString &home) const
{
    QProcessEnvironment env = m_base;
    env.insert(QStringLiteral("HOME"), home);
    return env;
}

ProcessTimer::Run ProcessTimer::run(const QString &home) const
{
    Run result;
    QProcess process;
    process.setProgram(m_program);
    process.setProcessEnvironment(environmentFor(home));
    process.setWorkingDirectory(QFileInfo(m_program).absolutePath());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::SeparateChannels);

    QElapsedTimer timer;
    timer.start();
    process.start();
    if (!process.waitForStarted(TimeoutMs)) {
        result.failure = QStringLiteral("%1 did not start: %2").arg(m_program, process.errorString());
        return result;
    }
    if (!process.waitForFinished(TimeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.failure = QStringLiteral("%1 did not exit within %2 ms").arg(m_program).arg(TimeoutMs);
        return result;
    }
    result.milliseconds = double(timer.nsecsElapsed()) / 1e6;

    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QString how = process.exitStatus() == QProcess::NormalExit
            ? QStringLiteral("exit code %1").arg(process.exitCode())
            : QStringLiteral("crash");
        result.failure = QStringLiteral("%1 failed (%2); stderr tail:\n%3")
                             .arg(m_program, how,
                                  QString::fromLocal8Bit(process.readAllStandardError().right(2000)));
        return result;
    }
    result.ok = true;
    return result;
}
