#pragma once

class BaseEvent;

// The shell's side of the bus: every event addressed to the shell lands here.
class CommandDispatcher
{
public:
    static void executeCommand(BaseEvent *event);
};
