#pragma once

// The window choosing the skin.
// The default does nothing and reports the call; start-up installs the real one.
class SkinEntry
{
public:
    virtual ~SkinEntry();

    // The installed entry, or the default.
    static SkinEntry &current();
    // Null puts the default back.
    static void install(SkinEntry *entry);

    virtual void showSkinWindow();

protected:
    SkinEntry() = default;
};
