#include "FuzzSupport.h"
#include "FuzzTarget.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

void fuzzFailure(const char *what)
{
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

void FuzzSupport::writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes) == bytes.size());
}

QByteArray FuzzSupport::readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QTemporaryDir *FuzzSupport::scratchFolder()
{
    // A static, not a leaked pointer: exit() at the end of a run removes it.
    static QTemporaryDir folder;
    FUZZ_CHECK(folder.isValid());
    return &folder;
}
