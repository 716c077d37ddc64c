#pragma once

#include "PackPlugin.h"

#include <QPointer>

#include "ProfileCard.h"

// The own-profile party: shows the signed-in user's card.
class OwnProfilePlugin : public PackPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PluginInterface_iid FILE "ownprofile.json")
public:
    OwnProfilePlugin();
    ~OwnProfilePlugin() override;
    QString pluginName() const override { return QStringLiteral("ownprofile"); }

    ProfileCard *card() const { return m_card; }

protected:
    void handle(BaseEvent &event) override;
    void skinChanged() override;
    void releaseWindows() override;

private:
    void showCard();

    QString m_ownJid;
    QPointer<ProfileCard> m_card;
};
