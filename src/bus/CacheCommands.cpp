#include "CacheCommands.h"

#include "LoginCache.h"
#include "PLuginData.h"
#include "entries/CloudQueryEntry.h"
#include "log/ShellLog.h"

#include <lumio/Addresses.h>
#include <lumio/Commands.h>

#include <QStringList>

namespace {

// Nothing in the shell stores this value.
constexpr qint32 UnassignedCacheValue = 0;

// The cloud query waits in a nested event loop, in which the same question may arrive again.
bool g_cloudQueryRunning = false;

class CloudQueryGuard
{
public:
    CloudQueryGuard() { g_cloudQueryRunning = true; }
    ~CloudQueryGuard() { g_cloudQueryRunning = false; }
    CloudQueryGuard(const CloudQueryGuard &) = delete;
    CloudQueryGuard &operator=(const CloudQueryGuard &) = delete;
};

void answerRecord(CommandContext &c, const LoginCache::AccountRecord &r)
{
    c.answer(r[0], r[1], r[2], r[3], r[4]);
}

void cloudAccount(CommandContext &c)
{
    if (!c.expectsAnswer())
        return;
    if (g_cloudQueryRunning) {
        LOG_DEBUG(
            QStringLiteral("cloud account asked again during its query; the kept record answers"));
        answerRecord(c, c.cache().accountRecord());
        return;
    }
    if (c.hasMainWindow()) {
        const CloudQueryGuard guard;
        c.cache().setAccountRecord(c.cloudQuery().queryCloudAccount(c.cache().accountRecord()));
    }
    answerRecord(c, c.cache().accountRecord());
}

void storeAccountRecord(CommandContext &c)
{
    LoginCache::AccountRecord record;
    for (QString &field : record)
        field = c.in().readString();
    c.cache().setAccountRecord(record);
}

void storeTextD(CommandContext &c)
{
    c.cache().setTextD(c.in().readString());
    c.forwardTo(QString::fromLatin1(Address::MainPanel));
}

void storeTextC(CommandContext &c)
{
    c.cache().setTextC(c.in().readString());
    c.forwardTo(QString::fromLatin1(Address::MainPanel));
}

struct Subscription
{
    QString sender;
    int kind = 0;
    QString subscriber;
};

Subscription readSubscription(PayloadReader &in)
{
    Subscription s;
    s.sender = in.readString();
    s.kind = in.readInt();
    s.subscriber = in.readString();
    return s;
}

void subscribers(CommandContext &c)
{
    const QString sender = c.in().readString();
    const int kind = c.in().readInt();
    if (c.expectsAnswer())
        c.answerAttached(new QStringList(c.subscriptions().subscribers(sender, kind)));
}

void addCacheRows(CommandTable &t)
{
    t.insert(Command::OwnJid, [](CommandContext &c) { c.answer(c.cache().ownJid()); });
    t.insert(Command::LogUploadUserId, [](CommandContext &c) { c.answer(c.cache().logUploadUserId()); });
    t.insert(Command::LogUploadKey, [](CommandContext &c) { c.answer(c.cache().logUploadKey()); });
    t.insert(Command::CacheTextC, [](CommandContext &c) { c.answer(c.cache().textC()); });
    t.insert(Command::CacheTextD, [](CommandContext &c) { c.answer(c.cache().textD()); });
    t.insert(Command::SetCacheTextD, storeTextD);
    t.insert(Command::SetCacheTextC, storeTextC);
    t.insert(Command::ForwardToChat, [](CommandContext &c) { c.forwardTo(QString::fromLatin1(Address::Chat)); });
    t.insert(Command::SetCacheFlag, [](CommandContext &c) { c.cache().setFlag(c.in().readBool()); });
    t.insert(Command::SetAccountRecord, storeAccountRecord);
    t.insert(Command::SetAccountRecordAlt, storeAccountRecord);
    t.insert(Command::AccountRecord, cloudAccount);
    t.insert(Command::ReservedCacheValue, [](CommandContext &c) { c.answer(UnassignedCacheValue); });
}

void addSubscriptionRows(CommandTable &t)
{
    t.insert(Command::Subscribe, [](CommandContext &c) {
        const Subscription s = readSubscription(c.in());
        c.answer(c.subscriptions().addSubscription(s.sender, s.kind, s.subscriber));
    });
    t.insert(Command::Unsubscribe, [](CommandContext &c) {
        const Subscription s = readSubscription(c.in());
        c.answer(c.subscriptions().removeSubscription(s.sender, s.kind, s.subscriber));
    });
    t.insert(Command::Subscribers, subscribers);
}

} // namespace

void CacheCommands::addTo(CommandTable &table)
{
    addCacheRows(table);
    addSubscriptionRows(table);
    for (int ignored : {Command::Ignored10D5, Command::Ignored1179, Command::Ignored117A, Command::Ignored10BE, Command::Ignored10CD})
        table.insert(ignored, [](CommandContext &) {});
}
