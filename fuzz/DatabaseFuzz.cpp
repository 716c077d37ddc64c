#include "FuzzInput.h"
#include "FuzzSupport.h"
#include "FuzzTarget.h"

#include "store/CLocalDataBase.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

// A data.db left by an older version, the repair program, a full disk or
// anything else: the check answers, opening either works or says no, and
// every read and write on what opened stays safe.
namespace {

QTemporaryDir *root = nullptr;
const QString Account = QStringLiteral("alice");

DBMessageSave sample()
{
    DBMessageSave msg;
    msg.message_flag = QStringLiteral("C");
    msg.jid = QStringLiteral("bob@x");
    msg.unique_jid = QStringLiteral("bob@x/pc");
    msg.sender = QStringLiteral("alice@x");
    msg.content = QStringLiteral("fuzz 你好");
    msg.true_content = msg.content;
    msg.time = QStringLiteral("2026-01-02 03:04:05");
    msg.messageid = QStringLiteral("fuzz-1");
    msg.id = QStringLiteral("fuzz-1");
    return msg;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Never destroyed: Qt Sql, loaded with the shared store, has already torn down its
    // connection registry when a static application object would run its post routines.
    new QCoreApplication(*argc, *argv);
    root = FuzzSupport::scratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const uint8_t mode = input.byte();
    const QString folder = root->filePath(Account);
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/data.db");
    FuzzSupport::writeAll(path, input.rest());

    CLocalDataBase::CheckDatabase(Account, root->path(), mode & 1);
    if (CLocalDataBase::Open(Account, root->path(), mode & 2)) {
        CLocalDataBase::MessagesByJid(QStringLiteral("bob@x"));
        CLocalDataBase::SearchMessagesByJid(QString(), QStringLiteral("你好"), 0);
        CLocalDataBase::SearchMessagesByJid(QStringLiteral("bob@x"), QStringLiteral("fu"), 1);
        CLocalDataBase::AllLoginInfos();
        if (mode & 4) {
            CLocalDataBase::InsertMessage(sample());
            CLocalDataBase::MarkMessagesRead(QStringLiteral("bob@x/pc"), {QStringLiteral("fuzz-1")},
                                             QSqlDatabase::database());
        }
        CLocalDataBase::Close();
    }
    // A second open sees what the first one left behind.
    if (CLocalDataBase::Open(Account, root->path(), true))
        CLocalDataBase::Close();
    QDir(folder).removeRecursively();
    return 0;
}
