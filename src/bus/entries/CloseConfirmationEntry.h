#pragma once

#include <QString>

// The question asked before the shell closes.
// The default does nothing and reports the call; start-up installs the real one.
class CloseConfirmationEntry
{
public:
    virtual ~CloseConfirmationEntry();

    // The installed entry, or the default.
    static CloseConfirmationEntry &current();
    // Null puts the default back.
    static void install(CloseConfirmationEntry *entry);

    virtual void showCloseConfirmation(const QString &text);
    virtual void resetCloseConfirmation(const QString &text);

protected:
    CloseConfirmationEntry() = default;
};
