#pragma once

// Commands the pack's own parties exchange; the shell never sees them.
// Payloads are written with PayloadWriter in the order given.
namespace PackCommand {

// Login -> Contacts: account, password, presence code, quick launch (bool).
inline constexpr int LogIn = 0x2001;
// Contacts -> each pack party by address, posted: own JID.
inline constexpr int LoggedIn = 0x2002;
// Contacts -> Login, posted: reason shown to the user.
inline constexpr int LoginFailed = 0x2003;
// Login -> Contacts: the shell has the session; announce the connection.
inline constexpr int SessionReady = 0x2004;
// Any -> Contacts: log out.
inline constexpr int LogOut = 0x2005;
// Contacts -> each pack party by address, posted: the connection is gone.
inline constexpr int Disconnected = 0x2006;
// Any -> Contacts: presence code, status text.
inline constexpr int SetPresence = 0x2007;
// Contacts -> each pack party by address, posted: JID, presence code.
inline constexpr int Presence = 0x2008;
// Chat -> Contacts, synchronous: JID, text; answer: message id.
inline constexpr int SendMessage = 0x2009;
// Contacts -> Chat, posted: id, from JID, text, time "yyyy-MM-dd hh:mm:ss".
inline constexpr int MessageArrived = 0x200A;
// Contacts -> Chat, posted: id, from JID, file name, size in bytes (int).
inline constexpr int FileOffered = 0x200B;
// Contacts -> Chat, posted: id, from JID, video (bool).
inline constexpr int CallOffered = 0x200C;
// Contacts -> SipPhone, posted: call id, from JID, number.
inline constexpr int PhoneCall = 0x200D;
// MainPanel -> Contacts, posted: what to simulate (DemoKind).
inline constexpr int Demo = 0x200E;
// MainPanel -> Chat, posted: JID whose chat window to open.
inline constexpr int OpenChat = 0x200F;
// Chat -> MainPanel, posted: JID, unread count (the list flashes while it is above 0).
inline constexpr int UnreadChanged = 0x2010;

enum DemoKind : int {
    DemoMessage = 1,
    DemoFile = 2,
    DemoVoice = 3,
    DemoVideo = 4,
    DemoPhone = 5,
    DemoLabel = 6
};

} // namespace PackCommand
