#pragma once

#include "CommandContext.h"

// Commands about arriving and read messages, notices, the unread-message box,
// the invitation boxes and the call and registration notices.
class MessageCommands
{
public:
    static void addTo(CommandTable &table);
};
