#pragma once

#include <QString>

// After a successful log-in the shell opens the account's data.db on the default
// connection itself, for as long as no log-in plug-in does. The account folder is the one
// the database check uses: CommonFun::jidToFolderName of the own jid.
class AccountDatabaseLogin
{
public:
    // In the message-file root of the user's settings (SystemSetData).
    static bool openAfterLogin(const QString &ownJid);
    static bool openAfterLogin(const QString &ownJid, const QString &messageFileRoot);
};
