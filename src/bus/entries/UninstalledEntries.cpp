#include "UninstalledEntries.h"

#include "log/ShellLog.h"

#include <QMap>
#include <QMutex>
#include <QMutexLocker>
#include <QStringList>

namespace {

QMutex g_mutex;

// Ordered, so the summary reads the same from run to run.
QMap<QByteArray, int> &g_calls()
{
    static QMap<QByteArray, int> calls;
    return calls;
}

} // namespace

void UninstalledEntries::note(const char *method)
{
    QMutexLocker lock(&g_mutex);
    if (g_calls()[QByteArray(method)]++ > 0)
        return;
    lock.unlock();
    LOG_WARN(QStringLiteral("%1: nothing installed").arg(QLatin1String(method)));
}

void UninstalledEntries::summary()
{
    QMutexLocker lock(&g_mutex);
    QStringList counts;
    for (auto it = g_calls().cbegin(); it != g_calls().cend(); ++it)
        counts << QStringLiteral("%1 %2").arg(QLatin1String(it.key())).arg(it.value());
    lock.unlock();
    if (counts.isEmpty())
        LOG_INFO(QStringLiteral("calls with nothing installed: none"));
    else
        LOG_WARN(QStringLiteral("calls with nothing installed: %1")
                     .arg(counts.join(QStringLiteral(", "))));
}
