#include "WindowEntries.h"

#include "bus/entries/MainWindowEntry.h"
#include "mainwindow/MainWindowEntryImpl.h"

void installWindowEntries()
{
    // Entries not installed here keep their logging defaults.
    // Lives as long as the process: the dispatcher may call it until the end.
    static MainWindowEntryImpl mainWindow;
    MainWindowEntry::install(&mainWindow);
}
