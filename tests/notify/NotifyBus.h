#pragma once

// A bus of plug-ins living in the test for the tray and small-box tests: each
// answers through a function and records the commands that reached it.

#include "bus/BusRequest.h"
#include "bus/EventRouter.h"
#include "bus/PluginManager.h"

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/PayloadReader.h>
#include <lumio/PayloadWriter.h>
#include <lumio/PluginInterface.h>

#include <functional>
#include <memory>
#include <vector>

class AnsweringParty : public QObject, public PluginInterface
{
public:
    using Answer = std::function<QByteArray(int command, const QByteArray &payload)>;

    explicit AnsweringParty(const char *address) : m_address(QString::fromLatin1(address)) {}

    QObject *receiver() override { return this; }
    void setEventManager(EventManager *) override {}
    QString pluginId() const override { return m_address; }
    void setLogger(SharedLog *) override {}

    Answer answer;
    QList<QPair<int, QByteArray>> seen;

    int count(int command) const
    {
        int n = 0;
        for (const auto &s : seen)
            n += s.first == command;
        return n;
    }

protected:
    void customEvent(QEvent *event) override
    {
        BaseEvent *e = BaseEvent::cast(event);
        if (!e)
            return;
        seen.append({e->command(), e->data()});
        if (answer) {
            const QByteArray reply = answer(e->command(), e->data());
            if (!reply.isNull())
                e->setData(reply);
        }
    }

private:
    QString m_address;
};

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

    AnsweringParty *party(const char *address)
    {
        m_parties.push_back(std::make_unique<AnsweringParty>(address));
        m_plugins.addPlugin(m_parties.back().get(), QStringLiteral("test"));
        return m_parties.back().get();
    }

    static QByteArray addressOf(const void *object)
    {
        PayloadWriter writer;
        writer.writeAddress(object);
        return writer.bytes();
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
    std::vector<std::unique_ptr<AnsweringParty>> m_parties;
};
