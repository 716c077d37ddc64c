#include "SipPhonePlugin.h"

#include "ColleagueDirectory.h"
#include "PackCommands.h"
#include "ProfileCard.h"
#include <lumio/Commands.h>

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/MessageData.h>
#include <lumio/PayloadReader.h>

#include <QDateTime>

namespace {
constexpr qint32 PhoneCallType = 22;
}

SipPhonePlugin::SipPhonePlugin()
    : PackPlugin(Address::SipPhone)
{
}

SipPhonePlugin::~SipPhonePlugin()
{
    if (canReleaseWindows())
        releaseWindows();
}

void SipPhonePlugin::releaseWindows()
{
    delete m_window;
}

void SipPhonePlugin::handle(BaseEvent &event)
{
    PayloadReader in(event.data());
    switch (event.command()) {
    case PackCommand::PhoneCall: {
        const QString callId = in.readString();
        const QString from = in.readString();
        const QString number = in.readString();
        incomingCall(callId, from, number);
        break;
    }
    case Command::OpenPhoneWindow:
        showCall(QString(), QStringLiteral("没有进行中的通话"));
        break;
    case Command::AcceptPhoneCall: {
        const QString callId = in.readString();
        showCall(callId, QStringLiteral("通话中"));
        break;
    }
    case Command::RefusePhoneCall: {
        const QString callId = in.readString();
        m_calls.remove(callId);
        logInfo(QStringLiteral("phone call refused"));
        break;
    }
    case Command::ShowPhoneCall:
        showCall(in.readString(), QStringLiteral("来电"));
        break;
    default:
        break;
    }
}

void SipPhonePlugin::skinChanged()
{
    if (m_window)
        m_window->applySkin();
}

void SipPhonePlugin::incomingCall(const QString &callId, const QString &from, const QString &number)
{
    const Colleague caller = ColleagueDirectory::instance().find(from);
    m_calls.insert(callId, caller.jid);
    MessageData m;
    m.fromJid = caller.isValid() ? caller.jid : from;
    m.fromName = caller.isValid() ? caller.name : number;
    m.text = QStringLiteral("[来电] ") + number;
    m.body = m.text;
    m.time = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    m.messageId = callId;
    m.kind = MessageData::KindSipPhone;
    m.type = PhoneCallType;
    // The shell hands both ids back with every answer.
    m.strings11[3] = callId;
    m.strings11[4] = number;
    PayloadWriter writer;
    writer << m.fromJid;
    writer.writeAddress(&m);
    tell(Command::MessageArrived, QString::fromLatin1(Address::Shell), writer.bytes());
}

void SipPhonePlugin::showCall(const QString &callId, const QString &status)
{
    if (!m_window) {
        m_window = new ProfileCard;
        m_window->setWindowTitle(QStringLiteral("电话"));
    }
    const Colleague caller = ColleagueDirectory::instance().find(m_calls.value(callId));
    if (caller.isValid())
        m_window->setColleague(caller);
    m_window->setStatus(status);
    m_window->show();
    m_window->raise();
}
