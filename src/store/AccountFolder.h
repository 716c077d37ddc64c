#pragma once

#include "StoreExport.h"

#include <QString>

// The name of an account's folder under the message-file root, as every party that opens
// an account's data.db derives it. Two accounts must never end up in one folder, and a
// name must never leave the root.
class LUMIO_STORE_EXPORT AccountFolder
{
public:
    // A jid ("user@domain/resource") split and lower-cased; false (parts empty) when a part
    // is empty where it was given, too long, or holds a character refused below. A text
    // without "@" is the user part alone.
    static bool splitJid(const QString &jid, QString *user, QString *domain, QString *resource);
    // The user part with every "zq" removed; empty (and a log line) when it is no usable
    // folder name.
    static QString fromJid(const QString &jid);
    // Not blank, no separator, no "..", and none of the refused characters.
    static bool isUsableFolderName(const QString &name);
    // Control characters, direction overrides, isolates and marks (they make two names
    // look alike), and lone surrogates (file systems store them as one replacement mark).
    static bool hasRefusedCharacter(const QString &text);
};
