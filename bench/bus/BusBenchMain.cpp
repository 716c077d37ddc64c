// Prices the event router against the raw Qt event calls it wraps.
//
//   lumio_bench_bus [--reps N] [--sync N] [--posted N]

#include "BusBench.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

bool parse(const QStringList &args, BusBench::Options *options)
{
    for (int i = 0; i + 1 < args.size(); i += 2) {
        bool number = false;
        const int value = args.at(i + 1).toInt(&number);
        if (!number || value < 1)
            return false;
        if (args.at(i) == QLatin1String("--reps"))
            options->repetitions = value;
        else if (args.at(i) == QLatin1String("--sync"))
            options->syncIterations = value;
        else if (args.at(i) == QLatin1String("--posted"))
            options->postedRounds = value;
        else
            return false;
    }
    return args.size() % 2 == 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    BusBench::Options options;
    if (!parse(app.arguments().mid(1), &options)) {
        std::fprintf(stderr, "usage: %s [--reps N] [--sync N] [--posted N]\n", argv[0]);
        return 2;
    }
    BusBench bench(options);
    return bench.run() ? 0 : 1;
}
