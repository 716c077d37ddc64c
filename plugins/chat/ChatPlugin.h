#pragma once

#include "PackPlugin.h"

#include <lumio/MessageData.h>

#include <QHash>
#include <QList>
#include <QMap>
#include <QPointer>

class ChatWindow;

// The chat party: conversation windows, the unread messages the shell's boxes
// show, the message history through the store, and the message page.
class ChatPlugin : public PackPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PluginInterface_iid FILE "chat.json")
public:
    using UnreadMap = QMap<QString, QList<MessageData>>;

    ChatPlugin();
    ~ChatPlugin() override;
    QString pluginName() const override { return QStringLiteral("chat"); }

    ChatWindow *window(const QString &jid) const;
    const UnreadMap &unread() const { return m_unread; }

protected:
    void handle(BaseEvent &event) override;
    void skinChanged() override;
    void releaseWindows() override;

private:
    void loggedIn(const QString &jid);
    MessageData incoming(const QString &id, const QString &from, const QString &text,
                         const QString &time) const;
    void deliver(const MessageData &message);
    // The list's count for the contact and the main window's badge follow every change.
    void announceUnread(const QString &jid);
    ChatWindow *openWindow(const QString &jid);
    void markRead(const QString &jid);
    void sendText(const QString &jid, const QString &text);
    void answerFileOffer(const QString &jid, const MessageData &offer, const QString &choice);
    QString shellString(int command);

    QString m_ownJid;
    QString m_lastCaller;
    // Answered by address to 0x10CA: lives as long as the party.
    UnreadMap m_unread;
    QHash<QString, QPointer<ChatWindow>> m_windows;
};
