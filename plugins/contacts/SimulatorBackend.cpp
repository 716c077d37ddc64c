#include "SimulatorBackend.h"

#include "ColleagueDirectory.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QUuid>

namespace {

constexpr int Online = 1;
constexpr int Away = 2;
constexpr int Busy = 4;
constexpr int Offline = 0;

const char *const Replies[] = {
    "收到，我看一下。", "好的，没问题！", "稍等，我在开会，一会儿回复你。",
    "这个需求我们下午对一下吧。", "已经处理好了，你再试试。", "👍",
};

const char *const Openers[] = {
    "在吗？有个问题想请教一下。", "周报记得今天下班前交哦。", "下午三点的会议改到四点了。",
    "新版本的安装包已经放到共享盘了。", "中午一起吃饭吗？",
};

const char *const FileNames[] = {
    "季度总结.pptx", "需求说明书.docx", "测试报告.xlsx", "设计稿.png",
};

} // namespace

SimulatorBackend::SimulatorBackend(QObject *parent)
    : ChatBackend(parent)
{
    m_demoTimer.callOnTimeout(this, &SimulatorBackend::demoTick);
}

void SimulatorBackend::setReplyDelay(int minimumMs, int maximumMs)
{
    m_minDelay = qMax(0, minimumMs);
    m_maxDelay = qMax(m_minDelay, maximumMs);
}

void SimulatorBackend::logIn(const QString &account, const QString &password, bool trusted)
{
    const quint64 session = ++m_session;
    // A real service takes a moment; the window shows its progress meanwhile.
    QTimer::singleShot(300, this, [this, session, account, password, trusted] {
        if (session == m_session)
            finishLogIn(account, password, trusted);
    });
}

void SimulatorBackend::finishLogIn(const QString &account, const QString &password, bool trusted)
{
    const ColleagueDirectory &directory = ColleagueDirectory::instance();
    const Colleague me = directory.find(account);
    if (!me.isValid()) {
        emit loginFailed(QStringLiteral("账号不存在"));
        return;
    }
    if (!trusted && !directory.checkPassword(password)) {
        emit loginFailed(QStringLiteral("密码错误"));
        return;
    }
    m_jid = me.jid;
    if (m_presence == Offline)
        m_presence = Online;
    emit loggedIn(m_jid);
    const int codes[] = {Online, Online, Away, Busy, Offline};
    int i = 0;
    for (const QString &jid : others())
        emit presence(jid, codes[i++ % 5]);
    bool ok = false;
    const int interval = qEnvironmentVariableIntValue("LUMIO_DEMO_INTERVAL", &ok);
    if (ok && interval > 0)
        m_demoTimer.start(interval * 1000);
}

void SimulatorBackend::logOut()
{
    ++m_session;
    m_demoTimer.stop();
    if (m_jid.isEmpty())
        return;
    m_jid.clear();
    m_presence = Offline;
    emit disconnected();
}

void SimulatorBackend::setPresence(int code, const QString &)
{
    m_presence = code;
}

QString SimulatorBackend::sendMessage(const QString &jid, const QString &text)
{
    const Colleague to = ColleagueDirectory::instance().find(jid);
    if (!isConnected() || !to.isValid() || text.trimmed().isEmpty())
        return {};
    const QString id = nextId();
    const quint64 session = m_session;
    const int delay = m_minDelay + int(QRandomGenerator::global()->bounded(m_maxDelay - m_minDelay + 1));
    const QString reply = QString::fromUtf8(Replies[m_counter % (sizeof(Replies) / sizeof(*Replies))]);
    QTimer::singleShot(delay, this, [this, session, from = to.jid, reply] {
        if (session == m_session && isConnected())
            emit message(nextId(), from, reply, QDateTime::currentDateTime());
    });
    return id;
}

void SimulatorBackend::simulate(Demo demo)
{
    if (!isConnected())
        return;
    const QString from = pickColleague();
    if (from.isEmpty())
        return;
    switch (demo) {
    case Demo::Message:
        emit message(nextId(), from,
                     QString::fromUtf8(Openers[m_counter % (sizeof(Openers) / sizeof(*Openers))]),
                     QDateTime::currentDateTime());
        break;
    case Demo::File:
        emit fileOffered(nextId(), from,
                         QString::fromUtf8(FileNames[m_counter % (sizeof(FileNames) / sizeof(*FileNames))]),
                         qint64(180 + m_counter) * 1024);
        break;
    case Demo::VoiceCall:
        emit callOffered(nextId(), from, false);
        break;
    case Demo::VideoCall:
        emit callOffered(nextId(), from, true);
        break;
    case Demo::PhoneCall:
        emit phoneCall(nextId(), from, QStringLiteral("010-6%1").arg(1000000 + m_counter));
        break;
    case Demo::Label:
        emit labelRequested(nextId(), from, QStringLiteral("靠谱队友"));
        break;
    }
}

void SimulatorBackend::demoTick()
{
    // Mostly messages, now and then something else.
    static const Demo cycle[] = {Demo::Message, Demo::Message, Demo::File, Demo::Message,
                                 Demo::VoiceCall, Demo::Message, Demo::Label, Demo::PhoneCall};
    simulate(cycle[m_demoStep++ % (sizeof(cycle) / sizeof(*cycle))]);
}

QString SimulatorBackend::nextId()
{
    ++m_counter;
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QStringList SimulatorBackend::others() const
{
    QStringList jids;
    for (const Colleague &c : ColleagueDirectory::instance().colleagues()) {
        if (c.jid != m_jid)
            jids.append(c.jid);
    }
    return jids;
}

QString SimulatorBackend::pickColleague()
{
    const QStringList candidates = others();
    if (candidates.isEmpty())
        return {};
    // The first two alternate, so a demo run shows a conversation with each.
    return candidates.at(m_pick++ % qMin(2, int(candidates.size())));
}
