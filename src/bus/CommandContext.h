#pragma once

#include "CommandTable.h"
#include "ShellServices.h"

#include <lumio/BaseEvent.h>
#include <lumio/PayloadReader.h>
#include <lumio/PayloadWriter.h>

#include <optional>

class CloseConfirmationEntry;
class CloudQueryEntry;
class FriendLabelEntry;
class InvitationEntry;
class MainWindowEntry;
class NoticeEntry;
class SessionEntry;
class SkinEntry;
class TrayEntry;
class UnreadBoxEntry;
class UpgradeEntry;

// One command as its handler sees it: the payload to read in order, the objects
// to act on, and the ways to answer it or pass it on.
class CommandContext
{
public:
    CommandContext(BaseEvent &event, const ShellServices &services);

    int command() const { return m_event.command(); }
    PayloadReader &in() { return m_in; }

    LoginCache &cache() const { return *m_services.loginCache; }
    SystemSetData &settings() const { return *m_services.settings; }
    PLuginData &subscriptions() const { return *m_services.subscriptions; }
    MainSignalSender &signalSender() const { return *m_services.signalSender; }

    // The receivers' entries, looked up per call so an install at any time counts.
    MainWindowEntry &mainWindow() const;
    CloseConfirmationEntry &closeConfirmation() const;
    TrayEntry &tray() const;
    UnreadBoxEntry &unreadBox() const;
    InvitationEntry &invitations() const;
    NoticeEntry &notices() const;
    FriendLabelEntry &labels() const;
    UpgradeEntry &upgrade() const;
    CloudQueryEntry &cloudQuery() const;
    SkinEntry &skin() const;
    SessionEntry &session() const;

    // A copy of the object at the payload's next address. The sender keeps the
    // object alive only during its synchronous call, so an address in a posted
    // event, like address 0, gives nothing (and a log line).
    template<typename T>
    std::optional<T> copyOf()
    {
        const T *object = static_cast<const T *>(objectAt(m_in.readAddress(), typeid(T)));
        if (!acceptsObject(object))
            return std::nullopt;
        return *object;
    }

    // False, with a log line, for a posted event: nobody waits for its answer.
    bool expectsAnswer() const;
    void answerBytes(const QByteArray &bytes);
    template<typename... Args>
    void answer(const Args &...values)
    {
        if (expectsAnswer())
            m_event.setData(PayloadWriter::pack(values...));
    }
    // The event keeps the object (and frees it with itself); the answer is its address.
    template<typename T>
    void answerAttached(T *object)
    {
        if (!expectsAnswer()) {
            delete object;
            return;
        }
        m_event.addAttachment(object);
        PayloadWriter writer;
        writer.writeAddress(object);
        m_event.setData(writer.bytes());
    }

    // False, with a log line, while log-in has not yet created the main window.
    bool hasMainWindow() const;
    // The same command and payload, posted from the shell.
    void forwardTo(const QString &target) const;

private:
    bool acceptsObject(const void *object) const;
    const void *objectAt(qint64 address, const std::type_info &type) const;

    BaseEvent &m_event;
    const ShellServices &m_services;
    PayloadReader m_in;
};
