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
    return text.isEmpty() ? QStringList() : text.split('\n');
}

inline QString lastLine(const QString &path)
{
    const QStringList lines = fileLines(path);
    return lines.isEmpty() ? QString() : lines.last();
}

// A log4cxx configuration in folder that sends rootLevel and above to logFile, written
// afresh at each start; its path.
inline QString writeFileLogConfig(const QString &folder, const QString &logFile,
                                  const char *pattern = "%m%n", const char *rootLevel = "DEBUG")
{
    const QString cfg = folder + "/log.cfg";
    TestEnvironment::writeText(cfg, QByteArray("log4j.rootLogger=") + rootLevel + ", R\n"
                                    "log4j.appender.R=org.apache.log4j.FileAppender\n"
                                    "log4j.appender.R.File=" + logFile.toUtf8() + "\n"
                                    "log4j.appender.R.Append=false\n"
                                    "log4j.appender.R.layout=org.apache.log4j.PatternLayout\n"
                                    "log4j.appender.R.layout.ConversionPattern=" + QByteArray(pattern) + "\n");
    return cfg;
}
