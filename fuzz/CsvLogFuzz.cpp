#include "FuzzInput.h"
#include "FuzzSupport.h"
#include "FuzzTarget.h"

#include "log/CustomLogger.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

// CustomLog.csv as a crash, a full disk or another program may have left it:
// opening it again keeps every byte, appends on a line of its own, and the
// numbering of what it appended survives the next restart.
namespace {

QTemporaryDir *folder = nullptr;
const CustomLogFormat format(QStringLiteral("\"%1-%2\",\"%3\",\"%4\",\"%5\",\"%6\",\"%7\",\"%8\",\"%9\""),
                             QStringLiteral("day-seq,level,time,function,f6,f7,message,location"));

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    folder = FuzzSupport::scratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString message = QString::fromUtf8(input.chunk(64));
    const QString function = QString::fromUtf8(input.chunk(16));
    const QByteArray before = input.rest();
    const QString path = folder->filePath(QStringLiteral("CustomLog.csv"));
    FuzzSupport::writeAll(path, before);

    quint64 next = 0;
    {
        CustomLogger logger(path, format);
        FUZZ_CHECK(logger.open());
        logger.setField6(message);
        logger.log(QStringLiteral("W"), function, message, function);
        next = logger.nextSequence();
        logger.close();
    }
    const QByteArray after = FuzzSupport::readAll(path);
    FUZZ_CHECK(after.startsWith(before));
    FUZZ_CHECK(after.endsWith('\n'));
    // Our own fields never break the line.
    const QByteArray added = after.mid(before.size());
    FUZZ_CHECK(added.count('\n') <= (before.isEmpty() ? 3 : 2));
    {
        CustomLogger logger(path, format);
        FUZZ_CHECK(logger.open());
        FUZZ_CHECK(logger.nextSequence() == next);
    }
    QFile::remove(path);
    return 0;
}
