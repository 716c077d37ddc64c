#include "UpgradeEntry.h"

#include "UninstalledEntries.h"
#include "bus/BusRequest.h"

#include <lumio/Addresses.h>
#include <lumio/Commands.h>
#include <lumio/PayloadWriter.h>

namespace {

UpgradeEntry *g_installed = nullptr;

} // namespace

UpgradeEntry::~UpgradeEntry() = default;

UpgradeEntry &UpgradeEntry::current()
{
    static UpgradeEntry fallback;
    return g_installed ? *g_installed : fallback;
}

void UpgradeEntry::install(UpgradeEntry *entry)
{
    g_installed = entry;
}

void UpgradeEntry::startUpgradeCheck(int)
{
    UninstalledEntries::note("UpgradeEntry::startUpgradeCheck");
    // No check can run, so no prompt will come: the log-in party may be holding
    // its log-in for this answer and should not wait out its time-out.
    BusRequest::post(Command::UpgradeCheckResult, QString::fromLatin1(Address::Login),
                     PayloadWriter::pack(false));
}
