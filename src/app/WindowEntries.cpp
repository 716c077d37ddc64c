#include "WindowEntries.h"

#include "bus/entries/CloseConfirmationEntry.h"
#include "mainwindow/CloseConfirmationEntryImpl.h"

void installWindowEntries()
{
    // Entries not installed here keep their logging defaults.
    static CloseConfirmationEntryImpl closeConfirmation;
    CloseConfirmationEntry::install(&closeConfirmation);
}
