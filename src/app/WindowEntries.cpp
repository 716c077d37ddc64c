#include "WindowEntries.h"

#include "bus/entries/CloseConfirmationEntry.h"
#include "mainwindow/CloseConfirmationEntryImpl.h"
#include "bus/entries/MainWindowEntry.h"
#include "mainwindow/MainWindowEntryImpl.h"
#include "notify/NotifyWiring.h"
#include "notify/MsgBoxEntry.h"

void installWindowEntries()
{
    // Entries not installed here keep their logging defaults.
    static CloseConfirmationEntryImpl closeConfirmation;
    CloseConfirmationEntry::install(&closeConfirmation);
    // Lives as long as the process: the dispatcher may call it until the end.
    static MainWindowEntryImpl mainWindow;
    MainWindowEntry::install(&mainWindow);
    NotifyWiring::installTrayEntry();
    static MsgBoxEntry unreadBox;
    UnreadBoxEntry::install(&unreadBox);
}
