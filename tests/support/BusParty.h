#pragma once

// A plug-in living in a test: records every event that reaches it and answers
// the questions it has been given an answer for.

#include <lumio/BaseEvent.h>
#include <lumio/PayloadWriter.h>
#include <lumio/PluginInterface.h>

#include <QCoreApplication>
#include <QHash>

#include <functional>

struct Seen
{
    int command = 0;
    QByteArray data;
    QString source;
    QString target;
    bool posted = false;
};

class BusParty : public QObject, public PluginInterface
{
public:
    explicit BusParty(const char *address) : m_address(QString::fromLatin1(address)) {}

    QObject *receiver() override { return this; }
    void setEventManager(EventManager *) override {}
    QString pluginId() const override { return m_address; }
    void setLogger(SharedLog *) override {}

    QList<Seen> seen;
    // Fixed answers by command; else the function's, where it gives a non-null array.
    QHash<int, QByteArray> answers;
    std::function<QByteArray(int command, const QByteArray &payload)> answer;
    // Runs while the event is delivered, when the objects it carries are still alive.
    std::function<void(BaseEvent *)> onEvent;

    int count(int command) const
    {
        int n = 0;
        for (const Seen &s : seen)
            n += s.command == command;
        return n;
    }

protected:
    void customEvent(QEvent *event) override
    {
        BaseEvent *e = BaseEvent::cast(event);
        if (!e)
            return;
        seen.append({e->command(), e->data(), e->sourceId(), e->targetId(), e->posted()});
        if (onEvent)
            onEvent(e);
        const auto found = answers.constFind(e->command());
        if (found != answers.cend()) {
            e->setData(*found);
        } else if (answer) {
            const QByteArray reply = answer(e->command(), e->data());
            if (!reply.isNull())
                e->setData(reply);
        }
    }

private:
    QString m_address;
};

inline QByteArray addressOf(const void *object)
{
    PayloadWriter writer;
    writer.writeAddress(object);
    return writer.bytes();
}

// The router's turn, then the turn of what it posted on to each receiver.
inline void deliverPosted()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents();
}
