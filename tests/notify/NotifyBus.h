#pragma once

// A bus of plug-ins living in the test for the tray and small-box tests: each
// answers through a function and records the commands that reached it.

#include "BusParty.h"
#include "bus/BusRequest.h"
#include "bus/EventRouter.h"
#include "bus/PluginManager.h"

#include <lumio/Addresses.h>
#include <lumio/PayloadReader.h>
#include <lumio/PayloadWriter.h>

#include <memory>
#include <vector>

class NotifyBus
{
public:
    NotifyBus()
    {
        m_router = std::make_unique<EventRouter>(&m_plugins);
        m_plugins.setEventManager(m_router.get());
        BusRequest::setBus(m_router.get());
    }
    ~NotifyBus() { BusRequest::setBus(nullptr); }

    BusParty *party(const char *address)
    {
        m_parties.push_back(std::make_unique<BusParty>(address));
        m_plugins.addPlugin(m_parties.back().get(), QStringLiteral("test"));
        return m_parties.back().get();
    }

    template<typename T>
    static QByteArray value(const T &v)
    {
        return PayloadWriter::pack(v);
    }
    static QString firstString(const QByteArray &payload) { return PayloadReader(payload).readString(); }

private:
    PluginManager m_plugins;
    std::unique_ptr<EventRouter> m_router;
    std::vector<std::unique_ptr<BusParty>> m_parties;
};
