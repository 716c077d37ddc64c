#include "MainPanelPlugin.h"

#include "ContactListWidget.h"
#include "ColleagueDirectory.h"
#include "PackCommands.h"
#include "ProfileCard.h"
#include <lumio/Commands.h>

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/PayloadReader.h>

MainPanelPlugin::MainPanelPlugin()
    : PackPlugin(Address::MainPanel)
{
}

MainPanelPlugin::~MainPanelPlugin()
{
    if (canReleaseWindows())
        releaseWindows();
}

void MainPanelPlugin::releaseWindows()
{
    // Once handed over the list is the main window's; before that it is ours.
    if (!m_handedOver)
        delete m_list;
    delete m_card;
}

ContactListWidget *MainPanelPlugin::contactList()
{
    if (!m_list) {
        m_list = new ContactListWidget;
        if (!m_ownJid.isEmpty())
            m_list->setOwnJid(m_ownJid);
        connect(m_list, &ContactListWidget::chatRequested, this, [this](const QString &jid) {
            post(PackCommand::OpenChat, QString::fromLatin1(Address::Chat), PayloadWriter::pack(jid));
        });
        connect(m_list, &ContactListWidget::demoRequested, this, [this](int kind) {
            post(PackCommand::Demo, QString::fromLatin1(Address::Contacts),
                 PayloadWriter::pack(qint32(kind)));
        });
    }
    return m_list;
}

void MainPanelPlugin::handle(BaseEvent &event)
{
    PayloadReader in(event.data());
    switch (event.command()) {
    case Command::ContactListWidget:
        if (answerAddress(event, contactList()))
            m_handedOver = true;
        break;
    case Command::ExpandedGroups:
        m_expanded = m_list ? m_list->expandedGroups() : QStringList();
        answerAddress(event, &m_expanded);
        break;
    case Command::PanelQuery1206:
        answerWith(event, bool(m_list && m_list->popupOpen()));
        break;
    case Command::FlashingStopped:
        if (m_list)
            m_list->stopFlashing(in.readString());
        break;
    case Command::ShowCardInPanel:
        showCard(in.readString());
        break;
    case Command::SetAllOffline:
        if (m_list)
            m_list->setAllOffline();
        break;
    case PackCommand::LoggedIn:
        m_ownJid = in.readString();
        contactList()->setOwnJid(m_ownJid);
        break;
    case PackCommand::Presence: {
        const QString jid = in.readString();
        const int code = in.readInt();
        contactList()->setPresence(jid, code);
        break;
    }
    case PackCommand::Disconnected:
        if (m_list)
            m_list->setAllOffline();
        break;
    case PackCommand::UnreadChanged: {
        const QString jid = in.readString();
        const int count = in.readInt();
        contactList()->setUnread(jid, count);
        break;
    }
    default:
        break;
    }
}

void MainPanelPlugin::skinChanged()
{
    if (m_list)
        m_list->applySkin();
    if (m_card)
        m_card->applySkin();
}

void MainPanelPlugin::showCard(const QString &jid)
{
    const Colleague colleague = ColleagueDirectory::instance().find(jid);
    if (!colleague.isValid()) {
        logWarn(QStringLiteral("card of an unknown contact not shown"));
        return;
    }
    if (!m_card) {
        m_card = new ProfileCard;
        m_card->setWindowTitle(QStringLiteral("联系人资料"));
    }
    m_card->setColleague(colleague);
    m_card->show();
    m_card->raise();
}
