#include "JidParts.h"

#include "store/AccountFolder.h"

JidParts JidParts::split(const QString &jid)
{
    JidParts parts;
    parts.valid = AccountFolder::splitJid(jid, &parts.user, &parts.domain, &parts.resource);
    return parts;
}

QString JidParts::jidToFolderName(const QString &jid)
{
    return AccountFolder::fromJid(jid);
}
