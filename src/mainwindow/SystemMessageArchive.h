#pragma once

#include "store/DBMessageSave.h"

#include <lumio/MessageData.h>

#include <QDateTime>

// Keeps system messages in the history, each message id once, so a message
// the server delivers again is neither stored nor shown twice.
class SystemMessageArchive
{
public:
    // The history record of a system message; the message id is also its row id.
    static DBMessageSave toRecord(const MessageData &message, const QDateTime &received);

    // True when the message is new and should be shown; stored when it has an id.
    static bool keep(const MessageData &message, const QDateTime &received);
};
