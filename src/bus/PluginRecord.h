#pragma once

#include <QString>

// What became of one configured plug-in library: where it was looked for, the
// address it answered to, and why it is not on the bus when it is not.
class PluginRecord
{
public:
    enum class State { Missing, NotAPlugin, NoReceiver, DuplicateAddress, Loaded };

    QString file;       // the configured name
    QString path;       // the file found in the plug-in folder; empty when missing
    QString address;    // empty until the library answered
    State state = State::Missing;
    QString error;      // why it is not loaded; empty when loaded
    QString replacedBy; // the library that took its address over

    bool isLoaded() const { return state == State::Loaded; }
    static QString stateName(State state);
    // One log line for the start-up summary.
    QString summary() const;
};
