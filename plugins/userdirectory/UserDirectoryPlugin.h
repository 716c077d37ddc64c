#pragma once

#include "PackPlugin.h"

#include <lumio/Records.h>

// The user-directory party: the signed-in user's record, whose folder name
// the shell uses for the per-user files.
class UserDirectoryPlugin : public PackPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PluginInterface_iid FILE "userdirectory.json")
public:
    UserDirectoryPlugin();
    QString pluginName() const override { return QStringLiteral("userdirectory"); }

protected:
    void handle(BaseEvent &event) override;

private:
    // Answered by address; kept after a disconnect so the exit still finds the folder.
    UserRecord m_user;
    bool m_known = false;
};
