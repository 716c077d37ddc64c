#include "OwnProfilePlugin.h"

#include "ColleagueDirectory.h"
#include "PackCommands.h"
#include "ProfileCard.h"
#include <lumio/Commands.h>

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/PayloadReader.h>

OwnProfilePlugin::OwnProfilePlugin()
    : PackPlugin(Address::OwnProfile)
{
}

OwnProfilePlugin::~OwnProfilePlugin()
{
    if (canReleaseWindows())
        releaseWindows();
}

void OwnProfilePlugin::releaseWindows()
{
    delete m_card;
}

void OwnProfilePlugin::handle(BaseEvent &event)
{
    PayloadReader in(event.data());
    switch (event.command()) {
    case Command::ShowMyProfile:
        showCard();
        break;
    case PackCommand::LoggedIn:
        m_ownJid = in.readString();
        break;
    default:
        break;
    }
}

void OwnProfilePlugin::skinChanged()
{
    if (m_card)
        m_card->applySkin();
}

void OwnProfilePlugin::showCard()
{
    const Colleague me = ColleagueDirectory::instance().find(m_ownJid);
    if (!me.isValid()) {
        logInfo(QStringLiteral("profile asked for before log-in; nothing to show"));
        return;
    }
    if (!m_card) {
        m_card = new ProfileCard;
        m_card->setWindowTitle(QStringLiteral("我的资料"));
    }
    m_card->setColleague(me);
    m_card->show();
    m_card->raise();
}
