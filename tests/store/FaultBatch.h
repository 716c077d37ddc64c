#pragma once

#include "store/DBMessageSave.h"

#include <QList>
#include <QString>

// The messages the fault child writes and the fault test expects back: committed ones are
// "c0000"..., the batch that meets the fault "b0000"...; each about 1 KB, so a batch spans
// many pages.
namespace FaultBatch {

inline QString idOf(const QString &prefix, int i)
{
    return prefix + QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'));
}

inline QString contentOf(const QString &id)
{
    return id + QStringLiteral(": ") + QString(1000, id.at(0));
}

inline QList<DBMessageSave> messages(const QString &prefix, int first, int count)
{
    QList<DBMessageSave> list;
    for (int i = first; i < first + count; ++i) {
        DBMessageSave m;
        m.id = idOf(prefix, i);
        m.jid = QStringLiteral("peer@x");
        m.unique_jid = QStringLiteral("peer@x/pc");
        m.message_flag = QStringLiteral("C");
        m.time = QStringLiteral("2014-05-06 07:08:09");
        m.messageid = QStringLiteral("mid-") + m.id;
        m.content = contentOf(m.id);
        list << m;
    }
    return list;
}

} // namespace FaultBatch
