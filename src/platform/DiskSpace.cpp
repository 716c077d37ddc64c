#include "DiskSpace.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/statvfs.h>

DiskSpace::Result DiskSpace::query(const QString &folder)
{
    Result result;
    if (folder.isEmpty()) {
        result.error = QStringLiteral("no folder given");
        return result;
    }
    struct statvfs volume {};
    if (::statvfs(QFile::encodeName(folder).constData(), &volume) != 0) {
        const int error = errno;
        result.error = QStringLiteral("cannot query %1: %2")
                           .arg(folder, QString::fromLocal8Bit(std::strerror(error)));
        return result;
    }
    const quint64 blockSize = volume.f_frsize ? volume.f_frsize : volume.f_bsize;
    result.ok = true;
    result.availableBytes = quint64(volume.f_bavail) * blockSize;
    result.freeBytes = quint64(volume.f_bfree) * blockSize;
    result.totalBytes = quint64(volume.f_blocks) * blockSize;
    result.freeMegabytes = result.availableBytes >> 20;
    return result;
}
