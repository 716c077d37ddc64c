#include "CommandLine.h"

namespace {
const QString UinPrefix = QStringLiteral("/uin:");
const QString QuickLaunchPrefix = QStringLiteral("/quicklunch:");
}

CommandLine CommandLine::parse(const QStringList &arguments)
{
    CommandLine result;
    if (arguments.size() != 2)
        return result;
    for (QString argument : arguments) {
        if (argument.startsWith(UinPrefix, Qt::CaseSensitive))
            result.userId = argument.remove(UinPrefix, Qt::CaseSensitive);
        else if (argument.startsWith(QuickLaunchPrefix, Qt::CaseSensitive))
            result.quickLaunch = argument.remove(QuickLaunchPrefix, Qt::CaseSensitive);
    }
    return result;
}
