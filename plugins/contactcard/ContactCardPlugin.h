#pragma once

#include "PackPlugin.h"

#include <lumio/VcardInfo.h>

#include <QHash>

// The contact-card party: names, heads and presence of colleagues by JID.
class ContactCardPlugin : public PackPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PluginInterface_iid FILE "contactcard.json")
public:
    ContactCardPlugin();
    QString pluginName() const override { return QStringLiteral("contactcard"); }

protected:
    void handle(BaseEvent &event) override;

private:
    // Answered by address; the shell copies it during the call.
    VcardInfo m_card;
    QHash<QString, int> m_presence;
};
