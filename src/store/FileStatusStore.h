#pragma once

#include "StoreExport.h"

#include <QString>

// The small file tables: receive status of files, and local paths of files fetched from
// the cloud disk or shared with the user.
class LUMIO_STORE_EXPORT FileStatusStore
{
public:
    static bool AddFileReceiveStatus(const QString &fileId, const QString &status);
    static bool HasFileReceiveStatus(const QString &fileId, const QString &status);

    static bool AddCloudFileLocalPath(const QString &cloudFileId, const QString &localPath);
    static QString CloudFileLocalPath(const QString &cloudFileId);
    static bool DeleteCloudFileLocalPath(const QString &cloudFileId);

    static bool AddShareFileLocalPath(const QString &shareFileId, const QString &localPath);
    static QString ShareFileLocalPath(const QString &shareFileId);
    static bool DeleteShareFileLocalPath(const QString &shareFileId);
};
