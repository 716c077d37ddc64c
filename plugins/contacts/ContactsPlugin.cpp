#include "ContactsPlugin.h"

#include "ChatBackend.h"
#include "ColleagueDirectory.h"
#include "HeadImages.h"
#include "PackCommands.h"
#include <lumio/Commands.h>

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/PayloadReader.h>
#include <lumio/VcardInfo.h>

namespace {

const QString ShellAddress = QString::fromLatin1(Address::Shell);
const QString ChatAddress = QString::fromLatin1(Address::Chat);
const QString LoginAddress = QString::fromLatin1(Address::Login);
// Private numbers go to our own parties by address, never as a broadcast.
const char *const PackParties[] = {Address::Login, Address::Chat, Address::MainPanel,
                                   Address::ContactCard, Address::OwnProfile, Address::OwnAccount,
                                   Address::SipPhone, Address::UserDirectory};

ChatBackend::Demo demoFor(int kind, bool *ok)
{
    *ok = true;
    switch (kind) {
    case PackCommand::DemoMessage: return ChatBackend::Demo::Message;
    case PackCommand::DemoFile: return ChatBackend::Demo::File;
    case PackCommand::DemoVoice: return ChatBackend::Demo::VoiceCall;
    case PackCommand::DemoVideo: return ChatBackend::Demo::VideoCall;
    case PackCommand::DemoPhone: return ChatBackend::Demo::PhoneCall;
    case PackCommand::DemoLabel: return ChatBackend::Demo::Label;
    default: *ok = false; return ChatBackend::Demo::Message;
    }
}

} // namespace

ContactsPlugin::ContactsPlugin()
    : PackPlugin(Address::Contacts)
    , m_backend(ChatBackend::fromEnvironment(this))
{
    connectBackend();
}

void ContactsPlugin::connectBackend()
{
    if (!m_backend)
        return;
    connect(m_backend, &ChatBackend::loggedIn, this, [this](const QString &jid) {
        logInfo(QStringLiteral("connected as %1").arg(jid));
        tellPack(PackCommand::LoggedIn, PayloadWriter::pack(jid));
    });
    connect(m_backend, &ChatBackend::loginFailed, this, [this](const QString &reason) {
        logWarn(QStringLiteral("log-in refused: %1").arg(reason));
        post(PackCommand::LoginFailed, LoginAddress, PayloadWriter::pack(reason));
    });
    connect(m_backend, &ChatBackend::disconnected, this, [this] {
        tell(Command::ConnectionState, ShellAddress, PayloadWriter::pack(false));
        tellPack(PackCommand::Disconnected, {});
    });
    connect(m_backend, &ChatBackend::presence, this, [this](const QString &jid, int code) {
        tellPack(PackCommand::Presence, PayloadWriter::pack(jid, qint32(code)));
    });
    connect(m_backend, &ChatBackend::message, this,
            [this](const QString &id, const QString &from, const QString &text, const QDateTime &time) {
                const QString stamp = time.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
                post(PackCommand::MessageArrived, ChatAddress, PayloadWriter::pack(id, from, text, stamp));
            });
    connect(m_backend, &ChatBackend::fileOffered, this,
            [this](const QString &id, const QString &from, const QString &name, qint64 size) {
                post(PackCommand::FileOffered, ChatAddress,
                     PayloadWriter::pack(id, from, name, qint32(qMin<qint64>(size, INT_MAX))));
            });
    connect(m_backend, &ChatBackend::callOffered, this,
            [this](const QString &id, const QString &from, bool video) {
                if (m_refuseCalls) {
                    logInfo(QStringLiteral("call from %1 refused by the user's setting").arg(from));
                    return;
                }
                post(PackCommand::CallOffered, ChatAddress, PayloadWriter::pack(id, from, video));
            });
    connect(m_backend, &ChatBackend::phoneCall, this,
            [this](const QString &id, const QString &from, const QString &number) {
                post(PackCommand::PhoneCall, QString::fromLatin1(Address::SipPhone),
                     PayloadWriter::pack(id, from, number));
            });
    connect(m_backend, &ChatBackend::labelRequested, this,
            [this](const QString &id, const QString &from, const QString &label) {
                tell(Command::LabelRequest, ShellAddress, PayloadWriter::pack(from, label, id, true));
            });
}

void ContactsPlugin::tellPack(int command, const QByteArray &payload)
{
    for (const char *party : PackParties)
        post(command, QString::fromLatin1(party), payload);
}

void ContactsPlugin::sendFriendInfo(const QString &jid)
{
    const Colleague c = ColleagueDirectory::instance().find(jid);
    if (!c.isValid()) {
        logWarn(QStringLiteral("look-up of an unknown contact"));
        return;
    }
    VcardInfo card;
    card.jid = c.jid;
    card.account = c.user;
    card.nickName = c.name;
    card.signature = c.signature;
    card.headImagePath = HeadImages::pathFor(c);
    PayloadWriter writer;
    writer << c.jid;
    writer.writeAddress(&card);
    tell(Command::FriendInfo, ShellAddress, writer.bytes());
}

void ContactsPlugin::handle(BaseEvent &event)
{
    PayloadReader in(event.data());
    switch (event.command()) {
    case PackCommand::LogIn: {
        const QString account = in.readString();
        const QString password = in.readString();
        const int presence = in.readInt();
        const bool quick = in.readBool();
        if (!m_backend) {
            post(PackCommand::LoginFailed, LoginAddress,
                 PayloadWriter::pack(QStringLiteral("没有可用的消息服务")));
            return;
        }
        m_backend->setPresence(presence > 0 ? presence : 1, {});
        m_backend->logIn(account, password, quick);
        break;
    }
    case PackCommand::SessionReady:
        tell(Command::ConnectionState, ShellAddress, PayloadWriter::pack(true));
        tell(Command::MyProfileReceived, ShellAddress);
        break;
    case PackCommand::LogOut:
        if (m_backend)
            m_backend->logOut();
        break;
    case PackCommand::SetPresence: {
        const int code = in.readInt();
        const QString text = in.readString();
        if (m_backend)
            m_backend->setPresence(code, text);
        break;
    }
    case PackCommand::SendMessage: {
        const QString jid = in.readString();
        const QString text = in.readString();
        answerWith(event, m_backend ? m_backend->sendMessage(jid, text) : QString());
        break;
    }
    case PackCommand::Demo: {
        bool ok = false;
        const ChatBackend::Demo demo = demoFor(in.readInt(), &ok);
        if (ok && m_backend)
            m_backend->simulate(demo);
        break;
    }
    case Command::IsConnected:
        answerWith(event, bool(m_backend && m_backend->isConnected()));
        break;
    case Command::UserName: {
        const Colleague me = m_backend ? ColleagueDirectory::instance().find(m_backend->jid()) : Colleague();
        answerWith(event, me.name);
        break;
    }
    case Command::CloseMainWindow:
        in.readInt();
        if (m_backend)
            m_backend->logOut();
        break;
    case Command::RefuseCallInvite:
        m_refuseCalls = in.readBool();
        break;
    case Command::SetSignature:
        m_signature = in.readString();
        break;
    case Command::LookUpContact:
        sendFriendInfo(in.readString());
        break;
    case Command::ChoosePresence: {
        in.readString();
        const QString text = in.readString();
        const int code = in.readInt();
        if (m_backend)
            m_backend->setPresence(code, text);
        break;
    }
    case Command::AcceptLabel:
    case Command::RefuseLabel:
    case Command::LabelAccepted:
        // The simulated colleague does not wait for the answer; it is only noted.
        logInfo(QStringLiteral("friend label answered (0x%1)").arg(event.command(), 0, 16));
        break;
    default:
        break;
    }
}
