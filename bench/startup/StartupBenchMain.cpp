// Times the shell from launch to its first event-loop turn against a bare
// Qt Widgets program, for a first start (empty HOME) and a warm one.
//
//   lumio_bench_startup [runs] [--shell PATH] [--bare PATH]

#include "ProcessTimer.h"
#include "SampleStats.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr int DefaultRuns = 20;
constexpr double WarmTarget = 1.3;

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

struct Options
{
    int runs = DefaultRuns;
    QString shell = QStringLiteral(LUMIO_BENCH_SHELL);
    QString bare = QStringLiteral(LUMIO_BENCH_BARE);
};

bool parse(const QStringList &args, Options *options)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if ((arg == QLatin1String("--shell") || arg == QLatin1String("--bare")) && i + 1 < args.size()) {
            (arg == QLatin1String("--shell") ? options->shell : options->bare) = args.at(++i);
            continue;
        }
        bool number = false;
        const int runs = arg.toInt(&number);
        if (!number || runs < 1)
            return false;
        options->runs = runs;
    }
    return true;
}

// One failed run makes every figure suspect, so the bench stops at the first.
bool take(const ProcessTimer::Run &run, QVector<double> *samples)
{
    if (!run.ok) {
        std::fprintf(stderr, "FAILED: %s\n", qPrintable(run.failure));
        return false;
    }
    samples->append(run.milliseconds);
    return true;
}

void printRow(const QString &name, const SampleStats &stats)
{
    out() << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
                 .arg(name, -22)
                 .arg(stats.count(), 5)
                 .arg(stats.median(), 10, 'f', 1)
                 .arg(stats.p90(), 10, 'f', 1)
                 .arg(stats.min(), 10, 'f', 1)
                 .arg(stats.max(), 10, 'f', 1);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Options options;
    if (!parse(app.arguments().mid(1), &options)) {
        std::fprintf(stderr, "usage: %s [runs] [--shell PATH] [--bare PATH]\n", argv[0]);
        return 2;
    }

    QTemporaryDir root;
    if (!root.isValid()) {
        std::fprintf(stderr, "FAILED: no temporary folder: %s\n", qPrintable(root.errorString()));
        return 1;
    }
    const QString warmHome = root.filePath(QStringLiteral("warm-home"));
    const QString bareHome = root.filePath(QStringLiteral("bare-home"));
    QDir().mkpath(warmHome);
    QDir().mkpath(bareHome);

    const ProcessTimer shell(options.shell);
    const ProcessTimer bare(options.bare);
    out() << "shell: " << options.shell << "\nbare:  " << options.bare << "\nruns:  " << options.runs
          << "\n" << Qt::flush;

    // The untimed first runs initialise the warm HOME and fill the page cache.
    QVector<double> discarded;
    if (!take(shell.run(warmHome), &discarded) || !take(bare.run(bareHome), &discarded))
        return 1;

    // Interleaved, so that drift in machine load touches every set alike.
    QVector<double> first, warm, baseline;
    for (int i = 0; i < options.runs; ++i) {
        const QString freshHome = root.filePath(QStringLiteral("fresh-home-%1").arg(i));
        QDir().mkpath(freshHome);
        if (!take(shell.run(freshHome), &first))
            return 1;
        QDir(freshHome).removeRecursively();
        if (!take(shell.run(warmHome), &warm) || !take(bare.run(bareHome), &baseline))
            return 1;
    }

    const SampleStats firstStats(first), warmStats(warm), bareStats(baseline);
    out() << QStringLiteral("\n%1 %2 %3 %4 %5 %6\n")
                 .arg(QStringLiteral("wall time, ms"), -22)
                 .arg(QStringLiteral("runs"), 5)
                 .arg(QStringLiteral("median"), 10)
                 .arg(QStringLiteral("p90"), 10)
                 .arg(QStringLiteral("min"), 10)
                 .arg(QStringLiteral("max"), 10);
    printRow(QStringLiteral("lumio first start"), firstStats);
    printRow(QStringLiteral("lumio warm start"), warmStats);
    printRow(QStringLiteral("bare Qt Widgets"), bareStats);

    out() << "\nmedian ratio lumio/bare\n"
          << "  first start: " << QStringLiteral("%1x").arg(firstStats.median() / bareStats.median(), 0, 'f', 2)
          << "\n  warm start:  " << ratioLine(warmStats.median() / bareStats.median(), WarmTarget)
          << "\n" << Qt::flush;
    return 0;
}
