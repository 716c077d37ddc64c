#pragma once

#include "PackPlugin.h"

#include <QPointer>
#include <QStringList>

class ContactListWidget;
class ProfileCard;

// The main-panel party: hands the contact list to the main window, which owns it from then on.
class MainPanelPlugin : public PackPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PluginInterface_iid FILE "mainpanel.json")
public:
    MainPanelPlugin();
    ~MainPanelPlugin() override;
    QString pluginName() const override { return QStringLiteral("mainpanel"); }

    ContactListWidget *contactList();

protected:
    void handle(BaseEvent &event) override;
    void skinChanged() override;
    void releaseWindows() override;

private:
    void showCard(const QString &jid);

    QPointer<ContactListWidget> m_list;
    QPointer<ProfileCard> m_card;
    bool m_handedOver = false;
    QString m_ownJid;
    // Answered by address: must outlive the question.
    QStringList m_expanded;
};
