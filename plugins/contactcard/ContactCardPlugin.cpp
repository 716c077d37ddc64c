#include "ContactCardPlugin.h"

#include "ColleagueDirectory.h"
#include "HeadImages.h"
#include "PackCommands.h"
#include <lumio/Commands.h>

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/PayloadReader.h>

ContactCardPlugin::ContactCardPlugin()
    : PackPlugin(Address::ContactCard)
{
}

void ContactCardPlugin::handle(BaseEvent &event)
{
    PayloadReader in(event.data());
    switch (event.command()) {
    case Command::ContactCard: {
        const Colleague c = ColleagueDirectory::instance().find(in.readString());
        m_card = VcardInfo();
        if (c.isValid()) {
            m_card.jid = c.jid;
            m_card.account = c.user;
            m_card.nickName = c.name;
            m_card.signature = c.signature;
            m_card.headImagePath = HeadImages::pathFor(c);
            m_card.presence = m_presence.value(c.jid, 0);
        }
        // An unknown contact gets no card at all rather than an empty one.
        answerAddress(event, c.isValid() ? &m_card : nullptr);
        break;
    }
    case Command::KnowsContact:
        answerWith(event, ColleagueDirectory::instance().find(in.readString()).isValid());
        break;
    case Command::IsPublicAccount:
        answerWith(event, false);
        break;
    case Command::PublicAccount:
        answerAddress(event, nullptr);
        break;
    case PackCommand::Presence: {
        const QString jid = in.readString().toLower();
        m_presence.insert(jid, in.readInt());
        break;
    }
    case PackCommand::Disconnected:
    case Command::SetAllOffline:
        m_presence.clear();
        break;
    default:
        break;
    }
}
