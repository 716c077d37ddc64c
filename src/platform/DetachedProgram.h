#pragma once

#include <QString>
#include <QStringList>

// Starts a program that outlives the shell (repair, a new copy of the shell, the
// upgrader, the log uploader): by absolute path only, so the working directory never
// decides which program runs.
class DetachedProgram
{
public:
    // False with a message in error when the path is relative, the file is missing or
    // not executable, or the start fails.
    static bool start(const QString &absolutePath, const QStringList &arguments,
                      QString *error = nullptr);
};
