#pragma once

// The custom log's shipped format and a log file's lines, for the log tests.

#include "TestEnvironment.h"
#include "log/CustomLogger.h"

#include <QStringList>

inline CustomLogFormat shippedLogFormat()
{
    return CustomLogFormat::fromFolder(TestEnvironment::binDir() + "/Resources/CustomLog");
}

// Every line of a text file, without the final line break's empty one.
inline QStringList fileLines(const QString &path)
{
    QString text = QString::fromUtf8(TestEnvironment::readText(path));
    if (text.endsWith('\n'))
        text.chop(1);
    return text.split('\n');
}

inline QString lastLine(const QString &path)
{
    return fileLines(path).constLast();
}
