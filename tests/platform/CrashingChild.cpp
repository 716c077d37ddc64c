// A program that installs the crash hook, logs a CSV line and really crashes;
// started again by the hook in the shell's packing mode.
#include "app/CrashCapture.h"
#include "app/CrashPacker.h"
#include "log/CustomLogger.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include <sys/mman.h>
#include <sys/resource.h>

namespace {

[[noreturn]] void thrower()
{
    throw std::runtime_error("boom from the crashing child");
}

void terminateFromNoexcept() noexcept
{
    thrower();
}

void segfault()
{
    // A page that exists but cannot be written: a real fault at a known address.
    void *page = ::mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    std::printf("fault-address %p\n", page);
    std::fflush(stdout);
    *static_cast<volatile int *>(page) = 1;
}

} // namespace

// lumio_crash_helper <segv|abort|terminate> <log folder> <app dir> <user folder or "">
int main(int argc, char *argv[])
{
    if (CrashPacker::isPackingMode(argc, argv))
        return CrashPacker::run(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s <segv|abort|terminate> <log folder> <app dir> <user folder>\n",
                     argv[0]);
        return 2;
    }
    const rlimit noCore = {0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);

    QCoreApplication app(argc, argv);
    const QString mode = QString::fromLocal8Bit(argv[1]);
    CrashPacker::Job job;
    job.logFolder = QString::fromLocal8Bit(argv[2]);
    job.dumpPath = job.logFolder + QStringLiteral("/TavrinIM.dmp");
    job.applicationDir = QString::fromLocal8Bit(argv[3]);
    job.uploadProgram = job.applicationDir + QStringLiteral("/UploadLog");
    QString error;
    if (!CrashCapture::install(job, QCoreApplication::applicationFilePath(), &error)) {
        std::fprintf(stderr, "%s\n", error.toUtf8().constData());
        return 3;
    }
    // As at log-in: the folder reaches the packer only through the republished command.
    if (std::strlen(argv[4]) > 0)
        CrashCapture::setUserFolder(QString::fromLocal8Bit(argv[4]));

    // Left open on purpose: the line must already be in the file when the process dies.
    auto *csv = new CustomLogger(job.logFolder + QStringLiteral("/CustomLog.csv"),
                                 CustomLogFormat::fromFolder(qEnvironmentVariable("LUMIO_BIN_DIR")
                                                             + QStringLiteral("/Resources/CustomLog")));
    csv->open();
    csv->log(QStringLiteral("I"), QStringLiteral("main"), QStringLiteral("line before the crash"),
             QStringLiteral("CrashingChild.cpp"));

    if (mode == QLatin1String("segv"))
        segfault();
    else if (mode == QLatin1String("abort"))
        std::abort();
    else if (mode == QLatin1String("terminate"))
        terminateFromNoexcept();
    std::fprintf(stderr, "unknown mode %s\n", argv[1]);
    return 4;
}
