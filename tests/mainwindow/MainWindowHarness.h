#pragma once

// A private bus for the main window's tests: plug-ins living in the test that
// record every request in one shared order and answer what they are told to.

#include "BusParty.h"
#include "TestEnvironment.h"
#include "app/settings/SystemSetData.h"
#include "bus/BusRequest.h"
#include "bus/EventRouter.h"
#include "bus/PluginManager.h"

#include <lumio/Addresses.h>
#include <lumio/Commands.h>
#include <lumio/BaseEvent.h>
#include <lumio/PayloadReader.h>
#include <lumio/PayloadWriter.h>

#include <QHash>
#include <QSettings>

#include <map>
#include <memory>

namespace mw {

struct Request
{
    QString target;
    int command = 0;
    QByteArray data;
};

template<typename... Args>
QByteArray pack(const Args &...args)
{
    return PayloadWriter::pack(args...);
}

struct Bus
{
    QList<Request> log;
    PluginManager plugins;
    EventRouter router{&plugins};
    std::map<QString, std::unique_ptr<BusParty>> parties;
    QHash<int, QString> shellAnswers;

    Bus()
    {
        for (const char *address : {Address::Login, Address::Chat, Address::Contacts,
                                    Address::MainPanel, Address::ContactCard, Address::OwnAccount,
                                    Address::GroupChat, Address::SystemSettings, Address::UserDirectory,
                                    Address::ExitNotified}) {
            auto party = std::make_unique<BusParty>(address);
            party->onEvent = [this, target = QString::fromLatin1(address)](BaseEvent *e) {
                log.append({target, e->command(), e->data()});
            };
            plugins.addPlugin(party.get(), QStringLiteral("test"));
            parties[QString::fromLatin1(address)] = std::move(party);
        }
        router.setShellHandler([this](BaseEvent *event) {
            const auto found = shellAnswers.constFind(event->command());
            if (found != shellAnswers.cend())
                event->setData(PayloadWriter::pack(*found));
        });
        BusRequest::setBus(&router);
    }
    ~Bus() { BusRequest::setBus(nullptr); }

    BusParty &party(const char *address) { return *parties.at(QString::fromLatin1(address)); }

    // Every request in order as "party:number"; compare with at().
    QStringList sent() const
    {
        QStringList lines;
        for (const Request &r : log)
            lines << QStringLiteral("%1:%2").arg(nameOf(r.target)).arg(r.command);
        return lines;
    }
    static QString at(const char *party, int command)
    {
        return QStringLiteral("%1:%2").arg(QLatin1String(party)).arg(command);
    }
    QList<Request> to(const char *address, int command) const
    {
        QList<Request> found;
        for (const Request &r : log)
            if (r.target == QLatin1String(address) && r.command == command)
                found << r;
        return found;
    }
    static QString nameOf(const QString &address)
    {
        static const QHash<QString, QString> names{
            {QString::fromLatin1(Address::Login), QStringLiteral("Login")},
            {QString::fromLatin1(Address::Chat), QStringLiteral("Chat")},
            {QString::fromLatin1(Address::Contacts), QStringLiteral("Contacts")},
            {QString::fromLatin1(Address::MainPanel), QStringLiteral("Panel")},
            {QString::fromLatin1(Address::ContactCard), QStringLiteral("Card")},
            {QString::fromLatin1(Address::OwnAccount), QStringLiteral("Account")},
            {QString::fromLatin1(Address::GroupChat), QStringLiteral("Group")},
            {QString::fromLatin1(Address::SystemSettings), QStringLiteral("Settings")},
            {QString::fromLatin1(Address::UserDirectory), QStringLiteral("Directory")},
            {QString::fromLatin1(Address::ExitNotified), QStringLiteral("ExitParty")}};
        return names.value(address, address);
    }
};

// The process-wide settings pointed at a private account "alice" under HOME.
inline QString loadAccount(const TestEnvironment &env, const QByteArray &config = {})
{
    const QString root = env.home() + QStringLiteral("/msg");
    TestEnvironment::writeText(env.home() + QStringLiteral("/IMInfo.ini"),
                               "[msgSetting]\nmsgfilepath=" + root.toUtf8() + "\n");
    if (!config.isEmpty())
        TestEnvironment::writeText(root + QStringLiteral("/alice/config.ini"), config);
    SystemSetData *settings = SystemSetData::instance();
    settings->initCommonData(env.home() + QStringLiteral("/IMInfo.ini"));
    settings->loadAccount(QStringLiteral("alice"));
    return settings->accountFolder();
}

} // namespace mw
