#pragma once

#include "CommandContext.h"

#include <QString>

// Commands of the connection, the log-in, the presence and the main window
// (with its close confirmation and the upgrade check it drives).
class SessionCommands
{
public:
    static void addTo(CommandTable &table);

    // The unread badge: empty (hidden) below 1, the number up to 99, "99+" above.
    static QString badgeText(int unread);
};
