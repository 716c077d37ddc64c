#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// Space on the volume that holds a folder, as the operating system reports it.
class DiskSpace
{
public:
    struct Figures
    {
        quint64 availableBytes = 0; // what an unprivileged user may still write
        quint64 freeBytes = 0;      // including blocks reserved for the administrator
        quint64 totalBytes = 0;
    };

    // Empty when the folder is missing or cannot be queried; *error then says why
    // (this layer logs nothing: the caller decides whether the failure is worth a line).
    static std::optional<Figures> query(const QString &folder, QString *error = nullptr);
};
