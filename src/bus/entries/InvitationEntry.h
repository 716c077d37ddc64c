#pragma once

#include <lumio/MessageData.h>

#include <QString>

// The boxes inviting to a call or a file transfer.
// The default does nothing and reports the call; start-up installs the real one.
class InvitationEntry
{
public:
    virtual ~InvitationEntry();

    // The installed entry, or the default.
    static InvitationEntry &current();
    // Null puts the default back.
    static void install(InvitationEntry *entry);

    virtual void showAudioVideoInvitation(const MessageData &message);
    virtual void closeAudioVideoInvitation(const QString &jid);
    // Updates the tray as well.
    virtual void closePhoneInvitation(const QString &jid);
    virtual void closeFileInvitation(const QString &text);

protected:
    InvitationEntry() = default;
};
