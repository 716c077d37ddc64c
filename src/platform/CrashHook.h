#pragma once

#include <QString>
#include <QStringList>

// Catches fatal signals and std::terminate: writes a text dump, starts a packer
// program made ready in advance, then lets the process die of the signal.
class CrashHook
{
public:
    // How long the dying process waits for the packer before it dies anyway.
    static constexpr int PackerWaitSeconds = 30;

    // On the main thread, once logging paths are known; may be called again to
    // move the dump. False (and why) when a handler or the signal stack could not be set.
    static bool install(const QString &dumpPath, QString *error);
    // Program (absolute path) and arguments started after the dump; empty starts nothing.
    static void setPackerCommand(const QStringList &command);
    static QStringList packerCommand();
    // Distinct commands kept alive for the handler since the process began.
    static int retainedCommandCount();
    static bool isInstalled();
};
