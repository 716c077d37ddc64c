#include "OwnProcesses.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace {

struct Entry
{
    qint64 parent = 0;
    QString name;
};

// "pid (name) state ppid ...": the name may hold blanks and brackets, so the fields
// after it are found from the last ')'.
bool readStat(const QString &path, Entry *entry)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = file.readAll();
    const int open = line.indexOf('(');
    const int close = line.lastIndexOf(')');
    if (open < 0 || close < open)
        return false;
    const QList<QByteArray> rest = line.mid(close + 1).simplified().split(' ');
    if (rest.size() < 2)
        return false;
    bool ok = false;
    entry->parent = rest.at(1).toLongLong(&ok);
    entry->name = QString::fromLocal8Bit(line.mid(open + 1, close - open - 1));
    return ok;
}

} // namespace

OwnProcesses::Result OwnProcesses::endNamed(const QString &name, const QString &procRoot)
{
    Result result;
    QDir proc(procRoot);
    if (!proc.exists() || !proc.isReadable()) {
        result.error = QStringLiteral("查询进程失败！");
        return result;
    }
    QHash<qint64, Entry> table;
    QHash<qint64, QList<qint64>> children;
    const QStringList folders = proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &folder : folders) {
        bool numeric = false;
        const qint64 pid = folder.toLongLong(&numeric);
        Entry entry;
        // A process that ended while the table was read simply is not there.
        if (!numeric || !readStat(proc.filePath(folder + QStringLiteral("/stat")), &entry))
            continue;
        table.insert(pid, entry);
        children[entry.parent].append(pid);
    }
    if (table.isEmpty()) {
        result.error = QStringLiteral("查询进程失败！");
        return result;
    }

    // Walk our own tree; a helper's whole subtree goes with it.
    QList<qint64> pending{qint64(::getpid())};
    QList<qint64> doomed;
    QSet<qint64> seen{pending.first()};
    while (!pending.isEmpty()) {
        const qint64 pid = pending.takeFirst();
        for (qint64 child : children.value(pid)) {
            if (seen.contains(child))
                continue;
            seen.insert(child);
            if (table.value(child).name == name || doomed.contains(pid)) {
                if (!doomed.contains(child))
                    doomed.append(child);
            }
            pending.append(child);
        }
    }
    for (qint64 pid : doomed) {
        if (::kill(pid_t(pid), SIGKILL) == 0)
            result.ended.append(pid);
    }
    result.ok = true;
    return result;
}
