#include "CloseConfirmationEntry.h"

#include "UninstalledEntries.h"

namespace {

CloseConfirmationEntry *g_installed = nullptr;

} // namespace

CloseConfirmationEntry::~CloseConfirmationEntry() = default;

CloseConfirmationEntry &CloseConfirmationEntry::current()
{
    static CloseConfirmationEntry fallback;
    return g_installed ? *g_installed : fallback;
}

void CloseConfirmationEntry::install(CloseConfirmationEntry *entry)
{
    g_installed = entry;
}

void CloseConfirmationEntry::showCloseConfirmation(const QString &)
{
    UninstalledEntries::note("CloseConfirmationEntry::showCloseConfirmation");
}

void CloseConfirmationEntry::resetCloseConfirmation(const QString &)
{
    UninstalledEntries::note("CloseConfirmationEntry::resetCloseConfirmation");
}
