#include "ZipReader.h"

#include <quazip.h>
#include <quazipfile.h>

QMap<QString, QByteArray> ZipReader::entries(const QString &archivePath)
{
    QMap<QString, QByteArray> entries;
    QuaZip zip(archivePath);
    if (!zip.open(QuaZip::mdUnzip))
        return entries;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFile file(&zip);
        if (file.open(QIODevice::ReadOnly))
            entries.insert(file.getActualFileName(), file.readAll());
    }
    return entries;
}
