#pragma once

#include "PackPlugin.h"

#include <lumio/VcardInfo.h>

// The own-account party: the signed-in user's card and chosen presence.
class OwnAccountPlugin : public PackPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PluginInterface_iid FILE "ownaccount.json")
public:
    OwnAccountPlugin();
    QString pluginName() const override { return QStringLiteral("ownaccount"); }

protected:
    void handle(BaseEvent &event) override;

private:
    void choosePresence(int code);

    // Answered by address: lives as long as the party.
    VcardInfo m_card;
    bool m_online = false;
};
