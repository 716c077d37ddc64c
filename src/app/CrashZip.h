#pragma once

#include <QString>
#include <QStringList>

// Zips a few files into a new archive, each entry named by the file's bare name.
class CrashZip
{
public:
    static constexpr qint64 BlockSize = 256 * 1024;

    // Missing files are skipped and named in skipped; false (and why) when the
    // archive cannot be written. Never changes the working directory.
    static bool pack(const QString &archivePath, const QStringList &files, QStringList *skipped,
                     QString *error);
};
