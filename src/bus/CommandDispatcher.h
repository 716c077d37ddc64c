#pragma once

#include "bus/CommandContext.h"
#include "bus/ShellServices.h"

#include <QList>

// The shell's side of the bus: every event addressed to the shell lands here
// and runs the small handler its command number names.
class CommandDispatcher
{
public:
    static CommandDispatcher *instance();
    explicit CommandDispatcher(const ShellServices &services);

    // The router's entry: the process-wide dispatcher.
    static void executeCommand(BaseEvent *event);
    void execute(BaseEvent *event);

    bool handles(int command) const { return m_table.contains(command); }
    QList<int> commands() const { return m_table.keys(); }

private:
    ShellServices m_services;
    CommandTable m_table;
};
