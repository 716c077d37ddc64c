#pragma once

// Stands in for the plug-ins the unread box asks: answers its questions from
// fields the test fills and records every request that reaches it.

#include "bus/BusRequest.h"

#include <lumio/BaseEvent.h>
#include <lumio/Commands.h>
#include <lumio/EventManager.h>
#include <lumio/MessageData.h>
#include <lumio/PayloadReader.h>
#include <lumio/PayloadWriter.h>
#include <lumio/Records.h>
#include <lumio/VcardInfo.h>

#include <QList>
#include <QMap>
#include <QPair>

#include <functional>

class ChatBusDouble : public EventManager
{
public:
    ChatBusDouble() { BusRequest::setBus(this); }
    ~ChatBusDouble() override { BusRequest::setBus(nullptr); }

    QMap<QString, QList<MessageData>> unread;
    QMap<QString, VcardInfo> cards;
    QMap<QString, GroupRecord> groups;
    VcardInfo own;
    bool answerUnread = true;
    bool knowsContacts = true;
    // The chat plug-in's pass over each fragment; null: no answer.
    std::function<QString(const QString &)> html = [](const QString &f) { return f; };

    struct Request
    {
        int command;
        QByteArray data;
    };
    QList<Request> requests;

    QList<Request> requestsOf(int command) const
    {
        QList<Request> out;
        for (const Request &r : requests)
            if (r.command == command)
                out.append(r);
        return out;
    }

    // The (open, jid) pairs of the open-or-mark-read command, in order.
    QList<QPair<bool, QString>> opened() const
    {
        QList<QPair<bool, QString>> out;
        for (const Request &r : requestsOf(Command::OpenChatWindow)) {
            PayloadReader in(r.data);
            const bool open = in.readBool();
            out.append({open, in.readString()});
        }
        return out;
    }

protected:
    void route(BaseEvent *e) override
    {
        requests.append({e->command(), e->data()});
        PayloadReader in(e->data());
        switch (e->command()) {
        case Command::UnreadMessages:
            if (answerUnread)
                e->setData(addressOf(&unread));
            break;
        case Command::MessageHtml:
            if (html)
                e->setData(PayloadWriter::pack(html(in.readString())));
            break;
        case Command::ContactCard: {
            const QString jid = in.readString();
            if (cards.contains(jid)) {
                m_card = cards.value(jid);
                e->setData(addressOf(&m_card));
            }
            break;
        }
        case Command::Group: {
            const QString jid = in.readString();
            if (groups.contains(jid)) {
                m_group = groups.value(jid);
                e->setData(addressOf(&m_group));
            }
            break;
        }
        case Command::OwnAccount:
            e->setData(addressOf(&own));
            break;
        case Command::KnowsContact:
            e->setData(PayloadWriter::pack(knowsContacts));
            break;
        default:
            break;
        }
    }

private:
    static QByteArray addressOf(const void *object)
    {
        PayloadWriter writer;
        writer.writeAddress(object);
        return writer.bytes();
    }

    VcardInfo m_card;
    GroupRecord m_group;
};
