#pragma once

// A private shell for the dispatcher's tests: its own settings, log-in cache,
// subscription registry, signal hub and bus with two parties, and a recording
// double installed for every entry while it lives.

#include "BusParty.h"
#include "CallLog.h"
#include "RecordingCloseConfirmationEntry.h"
#include "RecordingCloudQueryEntry.h"
#include "RecordingFriendLabelEntry.h"
#include "RecordingInvitationEntry.h"
#include "RecordingMainWindowEntry.h"
#include "RecordingNoticeEntry.h"
#include "RecordingSessionEntry.h"
#include "RecordingSkinEntry.h"
#include "RecordingTrayEntry.h"
#include "RecordingUnreadBoxEntry.h"
#include "RecordingUpgradeEntry.h"
#include "TestEnvironment.h"
#include "app/settings/SystemSetData.h"
#include "bus/CommandDispatcher.h"
#include "bus/EventRouter.h"
#include "bus/LoginCache.h"
#include "bus/MainSignalSender.h"
#include "bus/PLuginData.h"
#include "bus/PluginManager.h"

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/Commands.h>
#include <lumio/PayloadReader.h>
#include <lumio/PayloadWriter.h>

#include <QDir>

#include <functional>
#include <memory>

namespace harness {

const QString ShellAddress = QString::fromLatin1(Address::Shell);
const QString Sender = QString::fromLatin1(Address::Contacts);

// An object's address in a payload.
struct At
{
    const void *object;
};

inline void put(PayloadWriter &writer, At at)
{
    writer.writeAddress(at.object);
}
template<typename T>
void put(PayloadWriter &writer, const T &value)
{
    writer << value;
}

template<typename... Args>
QByteArray bytes(const Args &...args)
{
    PayloadWriter writer;
    (put(writer, args), ...);
    return writer.bytes();
}

// Set by a harness whose payloads cannot carry real addresses: maps them to
// objects of the asked type (see ShellServices::objectAt).
inline const void *(*objectAt)(qint64 address, const std::type_info &type) = nullptr;

inline QString readString(const QByteArray &answer)
{
    return PayloadReader(answer).readString();
}

struct PrivateShell
{
    TestEnvironment env; // first: the settings read HOME when they are built
    LoginCache cache;
    SystemSetData settings;
    PLuginData subscriptions;
    MainSignalSender signalSender;
    CallLog calls;
    RecordingMainWindowEntry mainWindow{calls};
    RecordingCloseConfirmationEntry closeConfirmation{calls};
    RecordingTrayEntry tray{calls};
    RecordingUnreadBoxEntry unreadBox{calls};
    RecordingInvitationEntry invitations{calls};
    RecordingNoticeEntry notices{calls};
    RecordingFriendLabelEntry labels{calls};
    RecordingUpgradeEntry upgrade{calls};
    RecordingCloudQueryEntry cloudQuery;
    RecordingSkinEntry skin{calls};
    RecordingSessionEntry session{calls};
    PluginManager plugins;
    EventRouter router{&plugins};
    CommandDispatcher dispatcher{services()};
    BusParty mainPanel{Address::MainPanel};
    BusParty chat{Address::Chat};

    PrivateShell()
    {
        QObject::connect(&plugins, &PluginManager::pluginLoaded, &subscriptions,
                         &PLuginData::addKnownSender);
        plugins.setEventManager(&router);
        plugins.addPlugin(&mainPanel, QStringLiteral("test"));
        plugins.addPlugin(&chat, QStringLiteral("test"));
        router.setShellHandler([this](BaseEvent *event) { dispatcher.execute(event); });
        installEntries(true);
    }

    ~PrivateShell() { installEntries(false); }

    // Off: the logging defaults answer again.
    void installEntries(bool on)
    {
        MainWindowEntry::install(on ? &mainWindow : nullptr);
        CloseConfirmationEntry::install(on ? &closeConfirmation : nullptr);
        TrayEntry::install(on ? &tray : nullptr);
        UnreadBoxEntry::install(on ? &unreadBox : nullptr);
        InvitationEntry::install(on ? &invitations : nullptr);
        NoticeEntry::install(on ? &notices : nullptr);
        FriendLabelEntry::install(on ? &labels : nullptr);
        UpgradeEntry::install(on ? &upgrade : nullptr);
        CloudQueryEntry::install(on ? &cloudQuery : nullptr);
        SkinEntry::install(on ? &skin : nullptr);
        SessionEntry::install(on ? &session : nullptr);
    }

    ShellServices services()
    {
        ShellServices s;
        s.loginCache = &cache;
        s.settings = &settings;
        s.subscriptions = &subscriptions;
        s.signalSender = &signalSender;
        s.bus = &router;
        s.objectAt = objectAt;
        return s;
    }

    // A synchronous question from a plug-in; the payload afterwards.
    QByteArray ask(int command, const QByteArray &payload = {},
                   const QString &target = ShellAddress)
    {
        BaseEvent event(command, payload, target, Sender);
        router.send(&event);
        return event.data();
    }

    void post(int command, const QByteArray &payload = {})
    {
        router.send(new BaseEvent(command, payload, ShellAddress, Sender, {}, true, true));
        deliverPosted();
    }

    static void deliverPosted() { ::deliverPosted(); }

    // An account whose config.ini holds the given INI text, loaded into the settings.
    QString loadAccount(const QString &account, const QByteArray &config = {})
    {
        const QString folder = settings.messageFilePath() + QLatin1Char('/') + account;
        QDir().mkpath(folder);
        if (!config.isEmpty())
            TestEnvironment::writeText(folder + QStringLiteral("/config.ini"), config);
        ask(Command::LoadAccountSettings, bytes(account));
        return folder;
    }
};

} // namespace harness
