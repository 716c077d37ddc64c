#pragma once

#include "CommandContext.h"

// Commands served from and applied to the user settings, skins included.
class SettingsCommands
{
public:
    static void addTo(CommandTable &table);
};
