#pragma once

#include <QString>
#include <QtGlobal>

// Space on the volume that holds a folder, as the operating system reports it.
class DiskSpace
{
public:
    struct Result
    {
        bool ok = false;
        quint64 availableBytes = 0; // what an unprivileged user may still write
        quint64 freeBytes = 0;      // including blocks reserved for the administrator
        quint64 totalBytes = 0;
        quint64 freeMegabytes = 0;  // available, in units of 1024 × 1024 bytes
        QString error;              // why ok is false; the caller logs it

        explicit operator bool() const { return ok; }
    };

    static Result query(const QString &folder);
};
