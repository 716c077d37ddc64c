#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Starts a program that outlives the shell (repair, a new copy of the shell, the
// upgrader, the log uploader): by absolute path only, so the working directory never
// decides which program runs.
class DetachedProgram
{
public:
    using Starter = std::function<bool(const QString &program, const QStringList &arguments,
                                       QString *error)>;

    // False with a message in error when the path is relative, the file is missing or
    // not executable, or the start fails.
    static bool start(const QString &absolutePath, const QStringList &arguments,
                      QString *error = nullptr);
    // Replaces the start for tests; the checks of start() are skipped too. An empty
    // starter restores the real one.
    static void setStarter(Starter starter);
};
