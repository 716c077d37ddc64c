#include "WindowEntries.h"

void installWindowEntries()
{
    // Entries not installed here keep their logging defaults.
}
