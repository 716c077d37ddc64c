#include "CommandDispatcher.h"

#include "CacheCommands.h"
#include "ContactCommands.h"
#include "MessageCommands.h"
#include "SessionCommands.h"
#include "SettingsCommands.h"
#include "TrayCommands.h"
#include "log/ShellLog.h"

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>

CommandDispatcher *CommandDispatcher::instance()
{
    static auto *dispatcher = new CommandDispatcher(ShellServices::processWide());
    return dispatcher;
}

CommandDispatcher::CommandDispatcher(const ShellServices &services)
    : m_services(services)
{
    SessionCommands::addTo(m_table);
    ContactCommands::addTo(m_table);
    MessageCommands::addTo(m_table);
    TrayCommands::addTo(m_table);
    SettingsCommands::addTo(m_table);
    CacheCommands::addTo(m_table);
}

void CommandDispatcher::executeCommand(BaseEvent *event)
{
    instance()->execute(event);
}

void CommandDispatcher::execute(BaseEvent *event)
{
    if (!event) {
        LOG_WARN(QStringLiteral("temp is null"));
        return;
    }
    const QString &target = event->targetId();
    if (!target.isEmpty() && target != QLatin1String(Address::Shell))
        return;
    // Numbers the shell does not know are ignored without a message.
    const CommandHandler handler = m_table.value(event->command());
    if (!handler)
        return;
    CommandContext context(*event, m_services);
    handler(context);
}
