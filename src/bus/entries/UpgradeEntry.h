#pragma once

// The check for a newer version.
// The default does nothing and reports the call; start-up installs the real one.
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
