#include "DetachedProgram.h"

#include <QFileInfo>
#include <QProcess>

namespace {

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

bool DetachedProgram::start(const QString &absolutePath, const QStringList &arguments,
                            QString *error)
{
    const QFileInfo program(absolutePath);
    if (absolutePath.isEmpty() || !program.isAbsolute())
        return fail(error, QStringLiteral("program path \"%1\" is not absolute").arg(absolutePath));
    if (!program.exists())
        return fail(error, QStringLiteral("program %1 is missing").arg(absolutePath));
    if (!program.isFile() || !program.isExecutable())
        return fail(error, QStringLiteral("program %1 is not an executable file").arg(absolutePath));
    qint64 pid = 0;
    if (!QProcess::startDetached(absolutePath, arguments, program.absolutePath(), &pid))
        return fail(error, QStringLiteral("program %1 could not be started").arg(absolutePath));
    if (error)
        error->clear();
    return true;
}
