#include "LibCtrlsMessageProcess.h"

#include <lumio/BaseEvent.h>

LibCtrlsMessageProcess *LibCtrlsMessageProcess::instance()
{
    static auto *process = new LibCtrlsMessageProcess;
    return process;
}

LibCtrlsMessageProcess::LibCtrlsMessageProcess(QObject *parent)
    : QObject(parent)
{
}

void LibCtrlsMessageProcess::customEvent(QEvent *event)
{
    if (const BaseEvent *baseEvent = BaseEvent::cast(event))
        emit commandReceived(baseEvent->command());
}
