#include "UserDirectoryPlugin.h"

#include "ColleagueDirectory.h"
#include "PackCommands.h"
#include <lumio/Commands.h>

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/PayloadReader.h>

UserDirectoryPlugin::UserDirectoryPlugin()
    : PackPlugin(Address::UserDirectory)
{
}

void UserDirectoryPlugin::handle(BaseEvent &event)
{
    PayloadReader in(event.data());
    switch (event.command()) {
    case Command::CurrentUser:
        answerAddress(event, m_known ? &m_user : nullptr);
        break;
    case PackCommand::LoggedIn: {
        const Colleague me = ColleagueDirectory::instance().find(in.readString());
        if (!me.isValid()) {
            logWarn(QStringLiteral("logged in as somebody outside the directory"));
            return;
        }
        // The same string as the shell's account folder: the JID's user part.
        m_user = UserRecord{me.jid, me.user, me.user};
        m_known = true;
        break;
    }
    default:
        break;
    }
}
