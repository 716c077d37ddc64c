#pragma once

#include <lumio/MessageData.h>

#include <QStringList>
#include <QVariant>

// What the recording entries saw, in order across all of them: one line per
// call, the method's name and its arguments; messages handed over, whole.
struct CallLog
{
    QStringList lines;
    QList<MessageData> messages;

    template<typename... Args> void record(const char *method, const Args &...args)
    {
        QStringList line{QString::fromLatin1(method)};
        (line.append(QVariant::fromValue(args).toString()), ...);
        lines << line.join(QLatin1Char(' '));
    }
};
