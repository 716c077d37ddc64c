#include "ShellLog.h"

#include "QtMessageLog.h"

namespace {
SharedLog *g_shared = nullptr;
}

SharedLog *ShellLog::shared()
{
    static QtMessageLog fallback;
    return g_shared ? g_shared : &fallback;
}

void ShellLog::setShared(SharedLog *log)
{
    g_shared = log;
}
