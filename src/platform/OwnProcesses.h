#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

// Ends helper programs this process started, with everything they started in turn.
// Processes of the same name that other programs or users run are never touched.
class OwnProcesses
{
public:
    struct Result
    {
        bool ok = false;
        QList<qint64> ended; // every process signalled, helpers and their descendants
        QString error;       // "查询进程失败！" when the process table cannot be read
    };

    // Among this process's descendants, those whose command name is name, and theirs.
    static Result endNamed(const QString &name, const QString &procRoot = QStringLiteral("/proc"));
};
