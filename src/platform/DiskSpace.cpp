#include "DiskSpace.h"

#include "log/ShellLog.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/statvfs.h>

std::optional<DiskSpace::Figures> DiskSpace::query(const QString &folder)
{
    if (folder.isEmpty()) {
        LOG_WARN(QStringLiteral("DiskSpace::query: empty folder"));
        return std::nullopt;
    }
    struct statvfs volume {};
    if (::statvfs(QFile::encodeName(folder).constData(), &volume) != 0) {
        const int error = errno;
        LOG_WARN(QStringLiteral("DiskSpace::query: statvfs failed for %1: %2")
                     .arg(folder, QString::fromLocal8Bit(std::strerror(error))));
        return std::nullopt;
    }
    const quint64 blockSize = volume.f_frsize ? volume.f_frsize : volume.f_bsize;
    Figures figures;
    figures.availableBytes = quint64(volume.f_bavail) * blockSize;
    figures.freeBytes = quint64(volume.f_bfree) * blockSize;
    figures.totalBytes = quint64(volume.f_blocks) * blockSize;
    return figures;
}
