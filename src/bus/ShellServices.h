#pragma once

class EventManager;
class LoginCache;
class MainSignalSender;
class PLuginData;
class ShellEntries;
class SystemSetData;

// The objects the shell's command handlers act on: the process-wide ones, or a
// test's private ones.
struct ShellServices
{
    LoginCache *loginCache = nullptr;
    SystemSetData *settings = nullptr;
    PLuginData *subscriptions = nullptr;
    MainSignalSender *signalSender = nullptr;
    // Null: ShellEntries::current(), looked up per command so a later install counts.
    ShellEntries *entries = nullptr;
    // Null: BusRequest::bus().
    EventManager *bus = nullptr;

    static ShellServices processWide();
};
