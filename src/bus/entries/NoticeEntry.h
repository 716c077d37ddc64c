#pragma once

// Notices about the account itself, such as a log-in from another client.
// The default does nothing and reports the call; start-up installs the real one.
class NoticeEntry
{
public:
    virtual ~NoticeEntry();

    // The installed entry, or the default.
    static NoticeEntry &current();
    // Null puts the default back.
    static void install(NoticeEntry *entry);

    virtual void showMobileLogin(int clientType, bool loggedIn);

protected:
    NoticeEntry() = default;
};
