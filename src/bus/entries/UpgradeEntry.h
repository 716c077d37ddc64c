#pragma once

// The check for a newer version.
// The default reports the call and tells the log-in party that no prompt will
// come; start-up installs the real one.
class UpgradeEntry
{
public:
    virtual ~UpgradeEntry();

    // The installed entry, or the default.
    static UpgradeEntry &current();
    // Null puts the default back.
    static void install(UpgradeEntry *entry);

    virtual void startUpgradeCheck(int mode);

protected:
    UpgradeEntry() = default;
};
