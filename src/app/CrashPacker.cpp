#include "CrashPacker.h"

#include "log/upload/PackZip.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>

#include <cstdio>
#include <cstring>
#include <iterator>

namespace {

const char *const Keys[] = {"--log-folder=", "--dump=", "--app-dir=", "--upload=", "--user-folder="};

// Debug.log lines as the shell's log layout writes them, for the lines of this process.
void appendLogLine(const QString &logPath, const char *level, const QString &text)
{
    QFile log(logPath);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    const QString line = QStringLiteral("%1 %2 [crash] %3\n")
                             .arg(stamp, QString::fromLatin1(level).leftJustified(5), text);
    log.write(line.toUtf8());
}

// The packer has no log set up: its notes go to stderr and to the end of Debug.log.
void note(const QString &logPath, const QString &text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    appendLogLine(logPath, "WARN", text);
}

QString joined(const QString &folder, const QString &name)
{
    return QDir(folder).absoluteFilePath(name);
}

} // namespace

QStringList CrashPacker::Job::toArguments() const
{
    const QString values[] = {logFolder, dumpPath, applicationDir, uploadProgram, userFolder};
    QStringList arguments{QString::fromLatin1(ModeArgument)};
    for (size_t i = 0; i < std::size(Keys); ++i)
        arguments.append(QString::fromLatin1(Keys[i]) + values[i]);
    return arguments;
}

std::optional<CrashPacker::Job> CrashPacker::Job::fromArguments(const QStringList &arguments,
                                                                QString *error)
{
    const int count = int(std::size(Keys));
    if (arguments.value(0) != QLatin1String(ModeArgument) || arguments.size() != 1 + count) {
        if (error)
            *error = QStringLiteral("packing mode: expected %1 and %2 values")
                         .arg(QLatin1String(ModeArgument))
                         .arg(count);
        return std::nullopt;
    }
    Job job;
    QString *fields[] = {&job.logFolder, &job.dumpPath, &job.applicationDir, &job.uploadProgram,
                         &job.userFolder};
    for (size_t i = 0; i < std::size(Keys); ++i) {
        const QString &argument = arguments.at(int(i) + 1);
        const QLatin1String key(Keys[i]);
        if (!argument.startsWith(key)) {
            if (error)
                *error = QStringLiteral("packing mode: argument %1 is not %2").arg(i + 1).arg(key);
            return std::nullopt;
        }
        *fields[i] = argument.mid(key.size());
    }
    if (job.logFolder.isEmpty()) {
        if (error)
            *error = QStringLiteral("packing mode: no log folder");
        return std::nullopt;
    }
    return job;
}

bool CrashPacker::isPackingMode(int argc, char *argv[])
{
    return argc > 1 && argv[1] && std::strcmp(argv[1], ModeArgument) == 0;
}

int CrashPacker::run(int argc, char *argv[])
{
    // No start-up work: the logs of the crashed process must stay as it left them.
    QCoreApplication app(argc, argv);
    QString error;
    const std::optional<Job> job = Job::fromArguments(app.arguments().mid(1), &error);
    if (!job) {
        std::fprintf(stderr, "%s\n", error.toUtf8().constData());
        return 2;
    }
    return run(*job);
}

CrashPacker::Credentials CrashPacker::readCredentials(const QString &userFolder)
{
    Credentials credentials;
    const QString path = joined(userFolder, QStringLiteral("Log.ini"));
    if (userFolder.isEmpty() || !QFileInfo::exists(path))
        return credentials;
    const QSettings ini(path, QSettings::IniFormat);
    credentials.uid = ini.value(QStringLiteral("/LogInfo/uid")).toString();
    credentials.key = ini.value(QStringLiteral("/LogInfo/key")).toString();
    credentials.username = ini.value(QStringLiteral("LogInfo/username")).toString();
    credentials.jid = ini.value(QStringLiteral("LogInfo/jid")).toString();
    return credentials;
}

QStringList CrashPacker::uploadArguments(const Credentials &credentials)
{
    return {QStringLiteral("uid:") + credentials.uid, QStringLiteral("key:") + credentials.key,
            QStringLiteral("userid:") + credentials.username, QStringLiteral("jid:") + credentials.jid};
}

int CrashPacker::run(const Job &job)
{
    const QString debugLog = joined(job.logFolder, QStringLiteral("Debug.log"));
    const Credentials credentials = readCredentials(job.userFolder);
    if (job.userFolder.isEmpty())
        note(debugLog, QStringLiteral("crash before log-in: no upload credentials"));

    const QString archive = joined(job.logFolder, archiveName());
    appendLogLine(debugLog, "ERROR", QString::fromUtf8(CrashLine));

    QStringList skipped;
    const QStringList files{debugLog, job.dumpPath, joined(job.logFolder, QStringLiteral("CustomLog.csv"))};
    QString error;
    // Replaces the archive of an earlier crash; a file gone with the crash is only noted.
    PackZip zip;
    const bool packed = zip.zipFiles(files, archive, &error, PackZip::Missing::Skip, &skipped);
    for (const QString &file : std::as_const(skipped))
        note(debugLog, QStringLiteral("文件不存在: %1").arg(file));
    if (!packed)
        note(debugLog, error);

    if (packed && !job.applicationDir.isEmpty()) {
        // A read-only installation keeps no copy; the upload still starts.
        const QString copy = joined(job.applicationDir, archiveName());
        if (QFileInfo::exists(copy) && !QFile::remove(copy))
            note(debugLog, QStringLiteral("cannot remove the old %1").arg(copy));
        else if (!QFile::copy(archive, copy))
            note(debugLog, QStringLiteral("cannot copy %1 to %2").arg(archive, job.applicationDir));
    }

    if (job.uploadProgram.isEmpty() || !QFileInfo(job.uploadProgram).isExecutable()) {
        note(debugLog, QStringLiteral("upload program %1 missing; nothing uploaded").arg(job.uploadProgram));
    } else if (!QProcess::startDetached(job.uploadProgram, uploadArguments(credentials),
                                        job.applicationDir)) {
        note(debugLog, QStringLiteral("upload program %1 not started").arg(job.uploadProgram));
    }
    return packed ? 0 : 1;
}
