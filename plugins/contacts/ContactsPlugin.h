#pragma once

#include "PackPlugin.h"

#include <QPointer>

class ChatBackend;

// The contacts party: owns the messaging backend and relays what it reports
// to the other parties of the pack and to the shell.
class ContactsPlugin : public PackPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PluginInterface_iid FILE "contacts.json")
public:
    ContactsPlugin();
    QString pluginName() const override { return QStringLiteral("contacts"); }

    ChatBackend *backend() const { return m_backend; }

protected:
    void handle(BaseEvent &event) override;

private:
    void connectBackend();
    void sendFriendInfo(const QString &jid);
    void tellPack(int command, const QByteArray &payload);

    QPointer<ChatBackend> m_backend;
    QString m_signature;
    bool m_refuseCalls = false;
};
