#include "FileStatusStore.h"

#include "IndexUpkeep.h"
#include "StoreHandle.h"
#include "StoreSql.h"

#include <QSqlQuery>

namespace {

// Writes of other tables are the store's own too: the search index must not take them for
// somebody else's and verify every message again.
bool execute(const QString &sql, std::initializer_list<QVariant> values)
{
    const QSqlDatabase db = StoreHandle::database();
    IndexUpkeep upkeep(db, IndexUpkeep::Kind::Neutral);
    QSqlQuery query(db);
    const bool ok = StoreSql::run(query, sql, values);
    query.clear();
    upkeep.finish(ok);
    return ok;
}

} // namespace

bool FileStatusStore::AddFileReceiveStatus(const QString &fileId, const QString &status)
{
    return execute(QStringLiteral("INSERT INTO filereceviestatus (fileid, status) VALUES (?, ?)"), {fileId, status});
}

bool FileStatusStore::HasFileReceiveStatus(const QString &fileId, const QString &status)
{
    return StoreSql::hasRow(StoreHandle::database(),
                            QStringLiteral("SELECT * FROM filereceviestatus WHERE fileid = ? AND status = ?"),
                            {fileId, status});
}

bool FileStatusStore::AddCloudFileLocalPath(const QString &cloudFileId, const QString &localPath)
{
    return execute(QStringLiteral("INSERT INTO cloudfilelocalinfo (cloudfileid, localpath) VALUES (?, ?)"),
                   {cloudFileId, localPath});
}

QString FileStatusStore::CloudFileLocalPath(const QString &cloudFileId)
{
    return StoreSql::firstValue(StoreHandle::database(),
                                QStringLiteral("SELECT localpath FROM cloudfilelocalinfo WHERE cloudfileid = ?"),
                                {cloudFileId})
        .toString();
}

bool FileStatusStore::DeleteCloudFileLocalPath(const QString &cloudFileId)
{
    return execute(QStringLiteral("DELETE FROM cloudfilelocalinfo WHERE cloudfileid = ?"), {cloudFileId});
}

bool FileStatusStore::AddShareFileLocalPath(const QString &shareFileId, const QString &localPath)
{
    return execute(QStringLiteral("INSERT INTO sharefilelocalinfo (sharefileid, localpath) VALUES (?, ?)"),
                   {shareFileId, localPath});
}

QString FileStatusStore::ShareFileLocalPath(const QString &shareFileId)
{
    return StoreSql::firstValue(StoreHandle::database(),
                                QStringLiteral("SELECT localpath FROM sharefilelocalinfo WHERE sharefileid = ?"),
                                {shareFileId})
        .toString();
}

bool FileStatusStore::DeleteShareFileLocalPath(const QString &shareFileId)
{
    return execute(QStringLiteral("DELETE FROM sharefilelocalinfo WHERE sharefileid = ?"), {shareFileId});
}
