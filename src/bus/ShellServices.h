#pragma once

#include <QtGlobal>

#include <typeinfo>

class EventManager;
class LoginCache;
class MainSignalSender;
class PLuginData;
class SystemSetData;

// The objects the shell's command handlers act on: the process-wide ones, or a
// test's private ones.
struct ShellServices
{
    LoginCache *loginCache = nullptr;
    SystemSetData *settings = nullptr;
    PLuginData *subscriptions = nullptr;
    MainSignalSender *signalSender = nullptr;
    // Null: BusRequest::bus().
    EventManager *bus = nullptr;
    // Null: an address is the object's own. A harness that cannot hand real
    // addresses through its payloads maps them to objects of the asked type.
    const void *(*objectAt)(qint64 address, const std::type_info &type) = nullptr;

    static ShellServices processWide();
};
