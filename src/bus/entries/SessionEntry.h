#pragma once

#include <QString>

// What the wiring layer does when a user logs in or the user changes; the bus
// cannot reach the start-up code itself.
// The default does nothing and reports the call; start-up installs the real one.
class SessionEntry
{
public:
    virtual ~SessionEntry();

    // The installed entry, or the default.
    static SessionEntry &current();
    // Null puts the default back.
    static void install(SessionEntry *entry);

    // ownJid as the log-in party reported it; empty when it has not.
    virtual void loggedIn(const QString &ownJid, const QString &accountFolder);
    virtual void userChanged();

protected:
    SessionEntry() = default;
};
