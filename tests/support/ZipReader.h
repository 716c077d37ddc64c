#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

// Reads a whole archive back for the tests that check what was packed.
class ZipReader
{
public:
    // Entry name to content; empty when the file is missing or no archive.
    static QMap<QString, QByteArray> entries(const QString &archivePath);
};
