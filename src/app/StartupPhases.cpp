#include "StartupPhases.h"

#include <QFile>
#include <QTextStream>

StartupPhases::StartupPhases()
    : m_file(qEnvironmentVariable("LUMIO_STARTUP_PHASES"))
{
    m_timer.start();
}

void StartupPhases::begin(const QString &name)
{
    end();
    m_current = name;
    m_startedNs = m_timer.nsecsElapsed();
}

void StartupPhases::end()
{
    if (m_current.isEmpty())
        return;
    m_done.append({m_current, m_timer.nsecsElapsed() - m_startedNs});
    m_current.clear();
}

bool StartupPhases::write(QString *error) const
{
    if (m_file.isEmpty())
        return true;
    QFile file(m_file);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        if (error)
            *error = QStringLiteral("start-up phases not written to %1: %2").arg(m_file, file.errorString());
        return false;
    }
    QTextStream out(&file);
    for (const auto &phase : m_done)
        out << phase.first << ' ' << QString::number(double(phase.second) / 1e6, 'f', 3) << '\n';
    out.flush();
    return file.error() == QFileDevice::NoError;
}
