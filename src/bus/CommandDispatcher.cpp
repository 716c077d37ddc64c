#include "CommandDispatcher.h"

#include "log/ShellLog.h"

#include <lumio/BaseEvent.h>

void CommandDispatcher::executeCommand(BaseEvent *event)
{
    if (!event) {
        LOG_WARN(QStringLiteral("temp is null"));
        return;
    }
    // Numbers the shell does not know are ignored without a message.
}
