#include "SessionHooks.h"

#include "CrashCapture.h"
#include "log/ShellLog.h"
#include "app/AccountDatabaseLogin.h"

#include <QSqlDatabase>

void SessionHooks::installForShell()
{
    static SessionHooks hooks;
    SessionEntry::install(&hooks);
}

void SessionHooks::loggedIn(const QString &ownJid, const QString &accountFolder)
{
    // Recorded now: the crash path cannot ask the bus where the user's Log.ini is.
    CrashCapture::setUserFolder(accountFolder);
    // The log-in party may open data.db itself; without either, every store
    // operation would fail quietly for the whole session.
    if (QSqlDatabase::database(QSqlDatabase::defaultConnection, false).isOpen()) {
        LOG_INFO(QStringLiteral("data.db opened by the log-in plug-in"));
        return;
    }
    if (AccountDatabaseLogin::openAfterLogin(ownJid))
        LOG_INFO(QStringLiteral("data.db opened by the shell"));
}

void SessionHooks::userChanged()
{
    CrashCapture::clearUser();
}
