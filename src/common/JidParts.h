#pragma once

#include <QString>

// A jid ("user@domain/resource") split into its parts, checked and normalised,
// and the account folder name taken from it.
struct JidParts
{
    QString user;
    QString domain;
    QString resource;
    bool valid = false;

    // A text without "@" is taken as the user part alone, so "alice" and
    // "alice@corp/pc" name the same account. Invalid parts make all three empty.
    static JidParts split(const QString &jid);

    // The lower-cased user part with every "zq" removed; empty (and a log line)
    // when the jid is invalid or the name could not be a single folder.
    static QString jidToFolderName(const QString &jid);
};
