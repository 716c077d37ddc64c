#include "OwnAccountPlugin.h"

#include "ColleagueDirectory.h"
#include "HeadImages.h"
#include "PackCommands.h"
#include <lumio/Commands.h>

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/PayloadReader.h>

namespace {
constexpr int Online = 1;
}

OwnAccountPlugin::OwnAccountPlugin()
    : PackPlugin(Address::OwnAccount)
{
}

void OwnAccountPlugin::handle(BaseEvent &event)
{
    PayloadReader in(event.data());
    switch (event.command()) {
    case Command::OwnAccount:
        answerAddress(event, &m_card);
        break;
    case Command::SetPresence:
    case Command::TellPresence:
        choosePresence(in.readInt());
        break;
    case Command::SetSignature:
        m_card.signature = in.readString();
        break;
    case PackCommand::LoggedIn: {
        const Colleague me = ColleagueDirectory::instance().find(in.readString());
        m_card = VcardInfo();
        m_card.jid = me.jid;
        m_card.account = me.user;
        m_card.nickName = me.name;
        m_card.signature = me.signature;
        m_card.headImagePath = HeadImages::pathFor(me);
        m_card.presence = Online;
        m_online = true;
        // The shell may have asked for the card before it was filled (the log-in
        // report can overtake this notice), so tell it the card is here now.
        tell(Command::MyProfileReceived, QString::fromLatin1(Address::Shell));
        break;
    }
    case PackCommand::Disconnected:
        m_online = false;
        m_card.presence = 0;
        break;
    default:
        break;
    }
}

void OwnAccountPlugin::choosePresence(int code)
{
    logInfo(QStringLiteral("own presence chosen: %1").arg(code));
    // Off line stays off line until the next log-in.
    if (m_online)
        m_card.presence = code;
    tell(PackCommand::SetPresence, QString::fromLatin1(Address::Contacts),
         PayloadWriter::pack(qint32(code), QString()));
}
