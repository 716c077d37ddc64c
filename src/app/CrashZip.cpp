#include "CrashZip.h"

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

#include <QFile>
#include <QFileInfo>

#include <zlib.h>

namespace {

bool addEntry(QuaZip &zip, const QString &path, QString *error)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, in.errorString());
        return false;
    }
    const QString name = QFileInfo(path).fileName();
    QuaZipFile out(&zip);
    if (!out.open(QIODevice::WriteOnly, QuaZipNewInfo(name, path), nullptr, 0, Z_DEFLATED,
                  Z_DEFAULT_COMPRESSION)) {
        *error = QStringLiteral("%1: entry not created (%2)").arg(name).arg(out.getZipError());
        return false;
    }
    QByteArray block;
    while (!(block = in.read(CrashZip::BlockSize)).isEmpty()) {
        if (out.write(block) != block.size()) {
            *error = QStringLiteral("%1: write failed (%2)").arg(name).arg(out.getZipError());
            return false;
        }
    }
    out.close();
    if (out.getZipError() != ZIP_OK) {
        *error = QStringLiteral("%1: close failed (%2)").arg(name).arg(out.getZipError());
        return false;
    }
    return true;
}

} // namespace

bool CrashZip::pack(const QString &archivePath, const QStringList &files, QStringList *skipped,
                    QString *error)
{
    QString reason;
    QuaZip zip(archivePath);
    zip.setUtf8Enabled(true);
    if (!zip.open(QuaZip::mdCreate)) {
        if (error)
            *error = QStringLiteral("打开zip包出错: %1 (%2)").arg(archivePath).arg(zip.getZipError());
        return false;
    }
    bool ok = true;
    for (const QString &file : files) {
        if (!QFileInfo(file).isFile()) {
            if (skipped)
                skipped->append(file);
            continue;
        }
        if (!addEntry(zip, file, &reason)) {
            ok = false;
            break;
        }
    }
    zip.close();
    if (ok && zip.getZipError() != ZIP_OK) {
        reason = QStringLiteral("%1: close failed (%2)").arg(archivePath).arg(zip.getZipError());
        ok = false;
    }
    if (!ok) {
        QFile::remove(archivePath);
        if (error)
            *error = QStringLiteral("压缩出错: ") + reason;
    }
    return ok;
}
