#include "WindowEntries.h"

#include "notify/MsgBoxEntry.h"

void installWindowEntries()
{
    // Entries not installed here keep their logging defaults.
    static MsgBoxEntry unreadBox;
    UnreadBoxEntry::install(&unreadBox);
}
