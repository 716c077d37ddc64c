#include "WindowEntries.h"

#include "notify/NotifyWiring.h"

void installWindowEntries()
{
    // Entries not installed here keep their logging defaults.
    NotifyWiring::installTrayEntry();
}
