#pragma once

#include "bus/entries/SessionEntry.h"

// What the shell does itself when a user logs in or the user changes: tells the
// crash path where the user's log settings are, and makes sure the account's
// store is open.
class SessionHooks : public SessionEntry
{
public:
    // The one the running shell uses, installed for the dispatcher.
    static void installForShell();

    void loggedIn(const QString &ownJid, const QString &accountFolder) override;
    void userChanged() override;
};
