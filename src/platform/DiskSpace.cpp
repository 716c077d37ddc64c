#include "DiskSpace.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/statvfs.h>

std::optional<DiskSpace::Figures> DiskSpace::query(const QString &folder, QString *error)
{
    if (folder.isEmpty()) {
        if (error)
            *error = QStringLiteral("empty folder");
        return std::nullopt;
    }
    struct statvfs volume {};
    if (::statvfs(QFile::encodeName(folder).constData(), &volume) != 0) {
        const int code = errno;
        if (error)
            *error = QStringLiteral("statvfs failed for %1: %2")
                         .arg(folder, QString::fromLocal8Bit(std::strerror(code)));
        return std::nullopt;
    }
    const quint64 blockSize = volume.f_frsize ? volume.f_frsize : volume.f_bsize;
    Figures figures;
    figures.availableBytes = quint64(volume.f_bavail) * blockSize;
    figures.freeBytes = quint64(volume.f_bfree) * blockSize;
    figures.totalBytes = quint64(volume.f_blocks) * blockSize;
    return figures;
}
