#include "CrashCapture.h"

#include "app/settings/AppPaths.h"
#include "platform/CrashHook.h"

#include <QCoreApplication>
#include <QDir>

namespace {

struct State
{
    CrashPacker::Job job;
    QString packerProgram;
};

State &state()
{
    static State s;
    return s;
}

void publish()
{
    const State &s = state();
    if (s.packerProgram.isEmpty())
        return;
    CrashHook::setPackerCommand(QStringList{s.packerProgram} + s.job.toArguments());
}

} // namespace

CrashPacker::Job CrashCapture::shellJob()
{
    CrashPacker::Job job;
    const QString appDir = AppPaths::applicationDir();
    job.logFolder = QDir::cleanPath(AppPaths::logFolder());
    job.dumpPath = job.logFolder + QStringLiteral("/TavrinIM.dmp");
    job.applicationDir = appDir;
    job.uploadProgram = appDir + QStringLiteral("/UploadLog");
    return job;
}

bool CrashCapture::install(const CrashPacker::Job &job, const QString &packerProgram, QString *error)
{
    State &s = state();
    const QString userFolder = s.job.userFolder;
    s.job = job;
    if (s.job.userFolder.isEmpty())
        s.job.userFolder = userFolder;
    s.packerProgram = packerProgram;
    // The handler only writes into a folder that already exists.
    QDir().mkpath(job.logFolder);
    if (!CrashHook::install(job.dumpPath, error))
        return false;
    publish();
    return true;
}

bool CrashCapture::installForShell(QString *error)
{
    return install(shellJob(), QCoreApplication::applicationFilePath(), error);
}

void CrashCapture::setUserFolder(const QString &folder)
{
    state().job.userFolder = folder;
    publish();
}

void CrashCapture::clearUser()
{
    setUserFolder(QString());
}

CrashPacker::Job CrashCapture::currentJob()
{
    return state().job;
}
