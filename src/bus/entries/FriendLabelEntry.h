#pragma once

#include <QString>

// The pop-up asking to confirm a label a friend gave.
// The default does nothing and reports the call; start-up installs the real one.
class FriendLabelEntry
{
public:
    virtual ~FriendLabelEntry();

    // The installed entry, or the default.
    static FriendLabelEntry &current();
    // Null puts the default back.
    static void install(FriendLabelEntry *entry);

    virtual void showLabelPopup(const QString &jid, const QString &labelName,
                                const QString &messageId, bool flag);

protected:
    FriendLabelEntry() = default;
};
