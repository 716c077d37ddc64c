#pragma once

#include <QString>

// The log-in party's use of the account database: every store call it makes is here.
class LoginDatabase
{
public:
    // The account folder of a JID, as the shell and the store derive it.
    static QString folderOf(const QString &jid);
    // Opens <basePath>/<account>/data.db on the default connection with the full schema.
    static bool open(const QString &account, const QString &basePath, QString *error);
    // The account's row of the login table; the password columns stay empty.
    static bool saveLogin(const QString &account, const QString &jid, const QString &name,
                          bool remember, bool autoLogin);
};
