// Times PackZip on a 1 MiB custom log and on a 200 MB file, each in a fresh child
// process so that its peak resident size (ru_maxrss) is its own.
//
//   lumio_bench_pack [--big-mb N]

#include "log/upload/PackZip.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

namespace {

long peakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Log-like text: repeated structure with varying numbers, so it compresses as logs do.
bool writeInput(const QString &path, qint64 bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QRandomGenerator random(42);
    QByteArray chunk;
    qint64 written = 0;
    quint64 seq = 1;
    while (written < bytes) {
        chunk.clear();
        while (chunk.size() < 1 << 20) {
            chunk += "\"20240305-" + QByteArray::number(seq++) + "\",\"I\",\"2024-03-05 10:20:30."
                + QByteArray::number(random.bounded(1000)) + "\",\"Chat::send()\",\"user"
                + QByteArray::number(random.bounded(100000)) + "\",\"2.3.9\",\"message "
                + QByteArray::number(random.generate64(), 36) + "\",\"chat.cpp (" + QByteArray::number(random.bounded(900))
                + "行)\"\n";
        }
        const qint64 n = qMin<qint64>(chunk.size(), bytes - written);
        if (file.write(chunk.constData(), n) != n)
            return false;
        written += n;
    }
    return true;
}

int runOne(const QString &name, qint64 bytes)
{
    QTemporaryDir dir;
    const QString input = dir.filePath(name);
    if (!dir.isValid() || !writeInput(input, bytes)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(input));
        return 1;
    }
    const long before = peakKiB();
    PackZip zip;
    QString error;
    QElapsedTimer timer;
    timer.start();
    const bool ok = zip.zipFiles({input}, dir.filePath(QStringLiteral("out.zip")), &error);
    const qint64 ms = timer.elapsed();
    if (!ok) {
        std::fprintf(stderr, "pack failed: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%-16s input %10lld B  archive %10lld B  time %7lld ms  peak RSS %7ld KiB (%ld KiB before packing)\n",
                qPrintable(name), bytes, QFile(dir.filePath(QStringLiteral("out.zip"))).size(), ms, peakKiB(), before);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 3 && args.at(0) == QLatin1String("--one"))
        return runOne(args.at(1), args.at(2).toLongLong());
    qint64 bigMb = 200;
    if (args.size() == 2 && args.at(0) == QLatin1String("--big-mb"))
        bigMb = args.at(1).toLongLong();
    else if (!args.isEmpty() || bigMb < 1) {
        std::fprintf(stderr, "usage: %s [--big-mb N]\n", argv[0]);
        return 2;
    }
    const QList<QPair<QString, qint64>> cases{{QStringLiteral("CustomLog.csv"), 1 << 20},
                                             {QStringLiteral("big.log"), bigMb * 1000 * 1000}};
    for (const auto &c : cases) {
        std::fflush(stdout);
        const int rc = QProcess::execute(app.applicationFilePath(),
                                         {QStringLiteral("--one"), c.first, QString::number(c.second)});
        if (rc != 0)
            return 1;
    }
    return 0;
}
