#pragma once

#include "CommandContext.h"

// Commands of the log-in cache, the forwards to other plug-ins and the
// subscription registry, and the numbers accepted and ignored.
class CacheCommands
{
public:
    static void addTo(CommandTable &table);
};
