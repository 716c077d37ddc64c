// Times the shell from launch to its first event-loop turn against a bare
// Qt Widgets program, for a first start (empty HOME) and a warm one.
//
//   lumio_bench_startup [runs] [--shell PATH] [--bare PATH]

#include "ProcessTimer.h"
#include "SampleStats.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMap>
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

// The shell's own figures for each step of one start, in the order it ran them.
class PhaseSamples
{
public:
    // The run's shutdown phase in ms, 0 when the shell wrote no figures.
    double take(const QString &file)
    {
        QFile in(file);
        if (!in.open(QIODevice::ReadOnly | QIODevice::Text))
            return 0;
        double shutdown = 0;
        const QStringList lines = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString &line : lines) {
            const QString name = line.section(QLatin1Char(' '), 0, -2);
            if (!m_samples.contains(name))
                m_order.append(name);
            const double ms = line.section(QLatin1Char(' '), -1).toDouble();
            m_samples[name].append(ms);
            if (name == QLatin1String("shutdown"))
                shutdown = ms;
        }
        in.remove();
        return shutdown;
    }
    void print() const
    {
        if (m_order.isEmpty())
            return;
        out() << "\nwarm start by phase, ms (the shell's own clock)\n";
        double total = 0;
        for (const QString &name : m_order) {
            const SampleStats stats(m_samples.value(name));
            total += stats.median();
            printRow(QStringLiteral("  ") + name, stats);
        }
        out() << QStringLiteral("  %1 %2\n").arg(QStringLiteral("sum of medians"), -20).arg(total, 16, 'f', 1);
    }

private:
    QStringList m_order;
    QMap<QString, QVector<double>> m_samples;
};

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

    ProcessTimer shell(options.shell);
    const QString phasesFile = root.filePath(QStringLiteral("phases.txt"));
    shell.setVariable(QStringLiteral("LUMIO_STARTUP_PHASES"), phasesFile);
    PhaseSamples phases;
    const ProcessTimer bare(options.bare);
    out() << "shell: " << options.shell << "\nbare:  " << options.bare << "\nruns:  " << options.runs
          << "\n" << Qt::flush;

    // The untimed first runs initialise the warm HOME and fill the page cache.
    QVector<double> discarded;
    if (!take(shell.run(warmHome), &discarded) || !take(bare.run(bareHome), &discarded))
        return 1;

    // Interleaved, so that drift in machine load touches every set alike.
    QVector<double> first, warm, warmToLoop, baseline;
    for (int i = 0; i < options.runs; ++i) {
        const QString freshHome = root.filePath(QStringLiteral("fresh-home-%1").arg(i));
        QDir().mkpath(freshHome);
        if (!take(shell.run(freshHome), &first))
            return 1;
        QDir(freshHome).removeRecursively();
        QFile::remove(phasesFile);
        const ProcessTimer::Run warmRun = shell.run(warmHome);
        if (!take(warmRun, &warm))
            return 1;
        // The way out (a synchronous upload of the run's figures) is no part of starting.
        warmToLoop.append(warmRun.milliseconds - phases.take(phasesFile));
        if (!take(bare.run(bareHome), &baseline))
            return 1;
    }

    const SampleStats firstStats(first), warmStats(warm), loopStats(warmToLoop), bareStats(baseline);
    out() << QStringLiteral("\n%1 %2 %3 %4 %5 %6\n")
                 .arg(QStringLiteral("wall time, ms"), -22)
                 .arg(QStringLiteral("runs"), 5)
                 .arg(QStringLiteral("median"), 10)
                 .arg(QStringLiteral("p90"), 10)
                 .arg(QStringLiteral("min"), 10)
                 .arg(QStringLiteral("max"), 10);
    printRow(QStringLiteral("lumio first start"), firstStats);
    printRow(QStringLiteral("lumio warm start"), warmStats);
    printRow(QStringLiteral("  without its shutdown"), loopStats);
    printRow(QStringLiteral("bare Qt Widgets"), bareStats);

    out() << "\nmedian ratio lumio/bare\n"
          << "  first start: " << QStringLiteral("%1x").arg(firstStats.median() / bareStats.median(), 0, 'f', 2)
          << "\n  warm start:  " << QStringLiteral("%1x").arg(warmStats.median() / bareStats.median(), 0, 'f', 2)
          << "\n  warm start to the first loop turn: "
          << ratioLine(loopStats.median() / bareStats.median(), WarmTarget) << "\n" << Qt::flush;
    phases.print();
    out() << Qt::flush;
    return 0;
}
