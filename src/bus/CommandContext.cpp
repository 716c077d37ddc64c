#include "CommandContext.h"

#include "BusRequest.h"
#include "entries/CloseConfirmationEntry.h"
#include "entries/CloudQueryEntry.h"
#include "entries/FriendLabelEntry.h"
#include "entries/InvitationEntry.h"
#include "entries/MainWindowEntry.h"
#include "entries/NoticeEntry.h"
#include "entries/SessionEntry.h"
#include "entries/SkinEntry.h"
#include "entries/TrayEntry.h"
#include "entries/UnreadBoxEntry.h"
#include "entries/UpgradeEntry.h"
#include "log/ShellLog.h"

#include <lumio/Addresses.h>
#include <lumio/EventManager.h>

namespace {

QString hex(int command)
{
    return QStringLiteral("0x") + QString::number(command, 16).toUpper();
}

} // namespace

CommandContext::CommandContext(BaseEvent &event, const ShellServices &services)
    : m_event(event)
    , m_services(services)
    , m_in(event.data())
{
}

MainWindowEntry &CommandContext::mainWindow() const
{
    return MainWindowEntry::current();
}

CloseConfirmationEntry &CommandContext::closeConfirmation() const
{
    return CloseConfirmationEntry::current();
}

TrayEntry &CommandContext::tray() const
{
    return TrayEntry::current();
}

UnreadBoxEntry &CommandContext::unreadBox() const
{
    return UnreadBoxEntry::current();
}

InvitationEntry &CommandContext::invitations() const
{
    return InvitationEntry::current();
}

NoticeEntry &CommandContext::notices() const
{
    return NoticeEntry::current();
}

FriendLabelEntry &CommandContext::labels() const
{
    return FriendLabelEntry::current();
}

UpgradeEntry &CommandContext::upgrade() const
{
    return UpgradeEntry::current();
}

CloudQueryEntry &CommandContext::cloudQuery() const
{
    return CloudQueryEntry::current();
}

SkinEntry &CommandContext::skin() const
{
    return SkinEntry::current();
}

SessionEntry &CommandContext::session() const
{
    return SessionEntry::current();
}

const void *CommandContext::objectAt(qint64 address, const std::type_info &type) const
{
    if (m_services.objectAt)
        return m_services.objectAt(address, type);
    return reinterpret_cast<const void *>(static_cast<quintptr>(address));
}

bool CommandContext::acceptsObject(const void *object) const
{
    if (m_event.posted()) {
        LOG_WARN(QStringLiteral("command %1 carries an object address but was posted; dropped")
                     .arg(hex(command())));
        return false;
    }
    if (!object) {
        LOG_WARN(
            QStringLiteral("command %1 carries object address 0; dropped").arg(hex(command())));
        return false;
    }
    return true;
}

bool CommandContext::expectsAnswer() const
{
    if (!m_event.posted())
        return true;
    LOG_DEBUG(
        QStringLiteral("command %1 was posted; nobody waits for its answer").arg(hex(command())));
    return false;
}

void CommandContext::answerBytes(const QByteArray &bytes)
{
    if (expectsAnswer())
        m_event.setData(bytes);
}

bool CommandContext::hasMainWindow() const
{
    if (mainWindow().hasMainWindow())
        return true;
    LOG_DEBUG(
        QStringLiteral("command %1 before the main window exists; ignored").arg(hex(command())));
    return false;
}

void CommandContext::forwardTo(const QString &target) const
{
    EventManager *bus = m_services.bus ? m_services.bus : BusRequest::bus();
    bus->send(new BaseEvent(command(), m_event.data(), target, QString::fromLatin1(Address::Shell),
                            {}, true, true));
}
