#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The shell's packing mode, started by the crash hook: packs the dump with the
// logs, copies the archive next to the program and starts the log uploader.
class CrashPacker
{
public:
    static constexpr char ModeArgument[] = "--pack-crash";
    static constexpr char CrashLine[] = "IM异常退出----------------------------------------";

    // What a crash needs, known before it happens; passed on the packer's command line.
    struct Job
    {
        QString logFolder;
        QString dumpPath;
        QString applicationDir;
        QString uploadProgram;
        // Where the user's Log.ini lives; empty before log-in.
        QString userFolder;

        QStringList toArguments() const;
        static std::optional<Job> fromArguments(const QStringList &arguments, QString *error);
    };

    struct Credentials
    {
        QString uid;
        QString key;
        QString username;
        QString jid;
    };

    static bool isPackingMode(int argc, char *argv[]);
    // The whole packing mode; returns the process's exit code.
    static int run(int argc, char *argv[]);
    static int run(const Job &job);

    // Empty values when the folder or its Log.ini is missing.
    static Credentials readCredentials(const QString &userFolder);
    static QStringList uploadArguments(const Credentials &credentials);
    static QString archiveName() { return QStringLiteral("tavrinimDump.zip"); }
};
