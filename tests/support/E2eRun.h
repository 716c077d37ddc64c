#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <functional>

// One run of the shell from a copy of the runnable tree, offscreen on a fixed screen,
// with a private HOME and no XDG_* folders; the end-to-end driver plug-in, when the
// tree lists it, plays the script and writes its checkpoints to the report.
class E2eRun
{
public:
    struct Result
    {
        bool timedOut = false;
        int exitCode = -1;
        QProcess::ExitStatus status = QProcess::CrashExit;
        qint64 elapsedMs = 0;
        QStringList report;
        QByteArray output;

        bool exitedCleanly() const { return !timedOut && status == QProcess::NormalExit && exitCode == 0; }
        // The report line of the named checkpoint, empty when it was never reached.
        QString checkpoint(const QString &name) const;
    };

    // root holds the script, the report and the screen file.
    E2eRun(const QString &root, const QString &home);

    // Passed on to the shell; the WebEngine and sanitizer settings come from the test's own.
    QProcessEnvironment &environment() { return m_environment; }
    // Once this holds, the shell gets SIGTERM.
    void terminateWhen(const std::function<bool()> &ready) { m_terminateWhen = ready; }

    Result run(const QString &program, const QStringList &arguments, const QByteArray &script,
               int timeoutMs = 90000);

    // Rewrites the plug-in list of a tree's allurl.ini.
    static bool setPluginList(const QString &allurlIni, const QStringList &libraries);
    static QStringList pluginList(const QString &allurlIni);

private:
    QString m_root;
    QProcessEnvironment m_environment;
    std::function<bool()> m_terminateWhen;
};
