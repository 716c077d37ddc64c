#pragma once

#include "CommandContext.h"

// Commands for the tray icon and the mobile-login notice.
class TrayCommands
{
public:
    static void addTo(CommandTable &table);
};
