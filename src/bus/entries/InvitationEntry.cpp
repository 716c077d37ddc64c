#include "InvitationEntry.h"

#include "UninstalledEntries.h"

namespace {

InvitationEntry *g_installed = nullptr;

} // namespace

InvitationEntry::~InvitationEntry() = default;

InvitationEntry &InvitationEntry::current()
{
    static InvitationEntry fallback;
    return g_installed ? *g_installed : fallback;
}

void InvitationEntry::install(InvitationEntry *entry)
{
    g_installed = entry;
}

void InvitationEntry::showAudioVideoInvitation(const MessageData &)
{
    UninstalledEntries::note("InvitationEntry::showAudioVideoInvitation");
}

void InvitationEntry::closeAudioVideoInvitation(const QString &)
{
    UninstalledEntries::note("InvitationEntry::closeAudioVideoInvitation");
}

void InvitationEntry::closePhoneInvitation(const QString &)
{
    UninstalledEntries::note("InvitationEntry::closePhoneInvitation");
}

void InvitationEntry::closeFileInvitation(const QString &)
{
    UninstalledEntries::note("InvitationEntry::closeFileInvitation");
}
