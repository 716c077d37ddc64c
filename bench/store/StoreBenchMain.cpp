// Prices the message store against raw SQLite and the indexed keyword search against the
// LIKE scan, on real data.db files in a temporary folder.
//
//   lumio_bench_store [--rows N] [--conversations N] [--insert N] [--insert-reps N]
//                     [--like-reps N] [--indexed-reps N] [--dir FOLDER]
//
// --rows 0 runs the insert comparison only.

#include "StoreBench.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {

// The store logs each attach and pass; the figures are what this program is for.
void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        QTextStream(stderr) << text << Qt::endl;
}

bool parse(const QStringList &args, StoreBench::Options *options)
{
    for (int i = 0; i + 1 < args.size(); i += 2) {
        const QString &name = args.at(i);
        const QString &value = args.at(i + 1);
        if (name == QLatin1String("--dir")) {
            options->folder = value;
            continue;
        }
        bool number = false;
        const qint64 n = value.toLongLong(&number);
        if (!number || n < (name == QLatin1String("--rows") ? 0 : 1))
            return false;
        if (name == QLatin1String("--rows"))
            options->rows = n;
        else if (name == QLatin1String("--conversations") && n >= 2)
            options->conversations = int(n);
        else if (name == QLatin1String("--insert"))
            options->insertRows = int(n);
        else if (name == QLatin1String("--insert-reps"))
            options->insertReps = int(n);
        else if (name == QLatin1String("--like-reps"))
            options->likeReps = int(n);
        else if (name == QLatin1String("--indexed-reps"))
            options->indexedReps = int(n);
        else
            return false;
    }
    return args.size() % 2 == 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    StoreBench::Options options;
    if (!parse(app.arguments().mid(1), &options)) {
        std::fprintf(stderr,
                     "usage: %s [--rows N] [--conversations N] [--insert N] [--insert-reps N] [--like-reps N] "
                     "[--indexed-reps N] [--dir FOLDER]\n",
                     argv[0]);
        return 2;
    }
    qInstallMessageHandler(quietMessages);
    QTemporaryDir temporary;
    if (options.folder.isEmpty()) {
        if (!temporary.isValid()) {
            std::fprintf(stderr, "no temporary folder\n");
            return 1;
        }
        options.folder = temporary.path();
    }
    StoreBench bench(options);
    return bench.run() ? 0 : 1;
}
