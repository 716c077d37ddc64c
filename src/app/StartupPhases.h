#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QPair>
#include <QString>

// Times the steps of start-up so their cost can be seen; the figures are
// written only when LUMIO_STARTUP_PHASES names a file.
class StartupPhases
{
public:
    StartupPhases();

    // Ends the running phase, if any, and starts the next.
    void begin(const QString &name);
    void end();
    // "name milliseconds" lines; false (and why) when the file cannot be written.
    bool write(QString *error) const;
    bool wanted() const { return !m_file.isEmpty(); }

private:
    QString m_file;
    QElapsedTimer m_timer;
    QString m_current;
    qint64 m_startedNs = 0;
    QList<QPair<QString, qint64>> m_done;
};
