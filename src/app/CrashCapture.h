#pragma once

#include "CrashPacker.h"

#include <QString>

// Keeps the crash hook's packer command current: the paths are fixed at
// start-up, the user's folder is added at log-in and dropped when the user goes.
namespace CrashCapture {

// The shell's own paths; the packer is this executable in its packing mode.
CrashPacker::Job shellJob();
bool install(const CrashPacker::Job &job, const QString &packerProgram, QString *error);
bool installForShell(QString *error);

void setUserFolder(const QString &folder);
void clearUser();
CrashPacker::Job currentJob();

} // namespace CrashCapture
