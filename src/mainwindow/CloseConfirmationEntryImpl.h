#pragma once

#include "bus/entries/CloseConfirmationEntry.h"

// The dispatcher's way to the close confirmation: a contact's removal question and
// the contacts plug-in's reset, each run after the dispatcher's row has returned.
class CloseConfirmationEntryImpl : public CloseConfirmationEntry
{
public:
    void showCloseConfirmation(const QString &text) override;
    void resetCloseConfirmation(const QString &text) override;
};
