#include "ChatPlugin.h"

#include "ChatStore.h"
#include "ChatWindow.h"
#include "ColleagueDirectory.h"
#include "MessagePage.h"
#include "PackCommands.h"
#include <lumio/Commands.h>

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/PayloadReader.h>

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <QScreen>

namespace {

const QString ShellAddress = QString::fromLatin1(Address::Shell);

constexpr qint32 FileOfferType = 18;
constexpr qint32 SharedFileType = 17;
constexpr qint32 VoiceType = 6;
constexpr qint32 VideoType = 7;
constexpr int HistoryShown = 50;

QString now()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QString displayName(const QString &jid)
{
    const Colleague c = ColleagueDirectory::instance().find(jid);
    return c.isValid() ? c.name : jid.section(QLatin1Char('@'), 0, 0);
}

} // namespace

ChatPlugin::ChatPlugin()
    : PackPlugin(Address::Chat)
{
}

ChatPlugin::~ChatPlugin()
{
    if (canReleaseWindows())
        releaseWindows();
}

void ChatPlugin::releaseWindows()
{
    const auto windows = m_windows;
    m_windows.clear();
    for (const QPointer<ChatWindow> &w : windows)
        delete w.data();
}

ChatWindow *ChatPlugin::window(const QString &jid) const
{
    return m_windows.value(jid.toLower()).data();
}

QString ChatPlugin::shellString(int command)
{
    const auto reply = ask(command, ShellAddress);
    return reply ? PayloadReader(*reply).readString() : QString();
}

void ChatPlugin::handle(BaseEvent &event)
{
    PayloadReader in(event.data());
    switch (event.command()) {
    case PackCommand::LoggedIn:
        loggedIn(in.readString());
        break;
    case PackCommand::MessageArrived: {
        const QString id = in.readString();
        const QString from = in.readString();
        const QString text = in.readString();
        const QString time = in.readString();
        deliver(incoming(id, from, text, time));
        break;
    }
    case PackCommand::FileOffered: {
        const QString id = in.readString();
        const QString from = in.readString();
        const QString name = in.readString();
        const qint32 size = in.readInt();
        MessageData m = incoming(id, from, QStringLiteral("[文件] ") + name, now());
        m.kind = MessageData::KindFile;
        m.type = FileOfferType;
        m.strings11[5] = name;
        m.transfer.totalBytes = size;
        deliver(m);
        break;
    }
    case PackCommand::CallOffered: {
        const QString id = in.readString();
        const QString from = in.readString();
        const bool video = in.readBool();
        MessageData m = incoming(id, from, video ? QStringLiteral("[视频邀请]") : QStringLiteral("[语音邀请]"), now());
        m.kind = MessageData::KindAudioVideo;
        m.type = video ? VideoType : VoiceType;
        m_lastCaller = from;
        deliver(m);
        break;
    }
    case PackCommand::OpenChat:
        openWindow(in.readString());
        break;
    case PackCommand::Disconnected:
        for (const QPointer<ChatWindow> &w : std::as_const(m_windows)) {
            if (w)
                w->appendNote(QStringLiteral("连接已断开"));
        }
        break;
    case Command::OpenChatWindow: {
        const bool open = in.readBool();
        const QString jid = in.readString().toLower();
        if (open)
            openWindow(jid);
        else
            markRead(jid);
        break;
    }
    case Command::MarkMessagesRead: {
        const QString jid = in.readString().toLower();
        const QString id = in.readString();
        if (!m_unread.contains(jid))
            break;
        QList<MessageData> &list = m_unread[jid];
        QStringList ids;
        list.removeIf([&id, &ids](const MessageData &m) {
            const bool read = id.isEmpty() || m.messageId == id;
            if (read)
                ids.append(m.messageId);
            return read;
        });
        if (list.isEmpty())
            m_unread.remove(jid);
        if (!ids.isEmpty() && !ChatStore::markRead(jid, ids))
            logWarn(QStringLiteral("read state of %1 messages not stored").arg(ids.size()));
        announceUnread(jid);
        break;
    }
    case Command::UnreadMessages:
        answerAddress(event, &m_unread);
        break;
    case Command::MessageHtml:
        answerWith(event, MessagePage::localOnly(in.readString()));
        break;
    case Command::RemainingUnreadCount:
        answerWith(event, qint32(m_unread.value(in.readString().toLower()).size()));
        break;
    case Command::HasUnfinishedChats: {
        bool unsent = false;
        for (const QPointer<ChatWindow> &w : std::as_const(m_windows))
            unsent = unsent || (w && w->isVisible() && w->hasUnsentText());
        answerWith(event, unsent);
        break;
    }
    case Command::OpenMessageManager: {
        const QString jid = in.readString().toLower();
        const bool keep = in.readBool();
        if (!keep && !jid.isEmpty()) {
            if (!ChatStore::deleteConversation(jid))
                logWarn(QStringLiteral("records of a conversation not deleted"));
        } else if (!jid.isEmpty()) {
            openWindow(jid);
        } else {
            logInfo(QStringLiteral("message manager asked for; the pack has none"));
        }
        break;
    }
    case Command::AnswerFileOffer: {
        const QString jid = in.readString().toLower();
        const MessageData *offer = in.readPointer<MessageData>();
        const QString choice = in.readString();
        // The address is only good while its sender waits for us.
        if (event.posted() || !offer) {
            logWarn(QStringLiteral("file answer without a live message; ignored"));
            break;
        }
        answerFileOffer(jid, *offer, choice);
        break;
    }
    case Command::AcceptVoiceCall:
        if (in.readInt() == VoiceType && !m_lastCaller.isEmpty()) {
            if (ChatWindow *w = openWindow(m_lastCaller))
                w->appendNote(QStringLiteral("语音通话已接通"));
        }
        break;
    default:
        break;
    }
}

void ChatPlugin::skinChanged()
{
    for (const QPointer<ChatWindow> &w : std::as_const(m_windows)) {
        if (w)
            w->applySkin();
    }
}

void ChatPlugin::loggedIn(const QString &jid)
{
    // Nothing of the previous user's conversations may reach the next one.
    if (!m_ownJid.isEmpty() && m_ownJid != jid) {
        m_unread.clear();
        releaseWindows();
    }
    m_ownJid = jid;
    QString error;
    if (!MessagePage::install(shellString(Command::MessageFilePath), &error))
        logWarn(QStringLiteral("message page not installed: %1").arg(error));
}

MessageData ChatPlugin::incoming(const QString &id, const QString &from, const QString &text,
                                 const QString &time) const
{
    MessageData m;
    m.ownerJid = m_ownJid;
    m.fromJid = from.toLower();
    m.fromName = displayName(from);
    m.text = text;
    // The shell's boxes preview the body, the page shows the text.
    m.body = text;
    m.time = time;
    m.messageId = id;
    m.chatType = 0;
    m.type = 0;
    m.kind = MessageData::KindChat;
    return m;
}

void ChatPlugin::deliver(const MessageData &message)
{
    const QString peer = message.fromJid;
    ChatWindow *w = window(peer);
    // A minimised window is out of sight: its messages wait as unread.
    const bool seen = w && w->isVisible() && !w->isMinimized();
    if (!ChatStore::save(message, peer, seen))
        logWarn(QStringLiteral("message not stored"));
    if (seen) {
        w->appendMessage(message);
        return;
    }
    m_unread[peer].append(message);
    // Synchronous: the shell copies the record during the call.
    MessageData copy = message;
    PayloadWriter writer;
    writer << peer;
    writer.writeAddress(&copy);
    tell(Command::MessageArrived, ShellAddress, writer.bytes());
    announceUnread(peer);
}

void ChatPlugin::announceUnread(const QString &jid)
{
    post(PackCommand::UnreadChanged, QString::fromLatin1(Address::MainPanel),
         PayloadWriter::pack(jid, qint32(m_unread.value(jid).size())));
    qint32 total = 0;
    for (const QList<MessageData> &list : std::as_const(m_unread))
        total += qint32(list.size());
    tell(Command::UnreadBadge, ShellAddress, PayloadWriter::pack(total));
}

ChatWindow *ChatPlugin::openWindow(const QString &jid)
{
    const QString peer = jid.toLower();
    if (!ColleagueDirectory::instance().find(peer).isValid()) {
        logWarn(QStringLiteral("chat window for an unknown contact not opened"));
        markRead(peer);
        return nullptr;
    }
    ChatWindow *w = window(peer);
    if (!w) {
        w = new ChatWindow(peer);
        // Centred, each further window a step down and right, so none hides another
        // or opens in the corner where the main window stands.
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            const int step = 28 * int(m_windows.size() % 8);
            w->move(screen->availableGeometry().center() - w->rect().center() + QPoint(step, step));
        }
        connect(w, &ChatWindow::sendRequested, this, &ChatPlugin::sendText);
        m_windows.insert(peer, w);
        const QList<MessageData> history = ChatStore::recent(peer, HistoryShown);
        for (const MessageData &m : history)
            w->appendMessage(m);
        if (history.isEmpty()) {
            for (const MessageData &m : m_unread.value(peer))
                w->appendMessage(m);
        }
    } else {
        for (const MessageData &m : m_unread.value(peer))
            w->appendMessage(m);
    }
    markRead(peer);
    w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

void ChatPlugin::markRead(const QString &jid)
{
    const QList<MessageData> pending = m_unread.take(jid);
    QStringList ids;
    for (const MessageData &m : pending)
        ids.append(m.messageId);
    if (!ids.isEmpty() && !ChatStore::markRead(jid, ids))
        logWarn(QStringLiteral("read state of %1 messages not stored").arg(ids.size()));
    tell(Command::MessagesRead, ShellAddress, PayloadWriter::pack(jid, QString()));
    announceUnread(jid);
}

void ChatPlugin::sendText(const QString &jid, const QString &text)
{
    QString id;
    if (const auto reply = ask(PackCommand::SendMessage, QString::fromLatin1(Address::Contacts),
                               PayloadWriter::pack(jid, text)))
        id = PayloadReader(*reply).readString();
    ChatWindow *w = window(jid);
    if (id.isEmpty()) {
        if (w)
            w->appendNote(QStringLiteral("消息未发送：当前未连接"));
        return;
    }
    MessageData m;
    m.ownerJid = m_ownJid;
    m.fromJid = m_ownJid;
    m.fromName = displayName(m_ownJid);
    m.text = text;
    m.time = now();
    m.messageId = id;
    m.outgoing = true;
    m.read = true;
    if (!ChatStore::save(m, jid, true))
        logWarn(QStringLiteral("sent message not stored"));
    if (w)
        w->appendMessage(m);
}

void ChatPlugin::answerFileOffer(const QString &jid, const MessageData &offer, const QString &choice)
{
    const QString name = offer.attachmentName();
    // On a shared file the one remaining button downloads.
    const bool download = choice == QLatin1String("Receive") || choice == QLatin1String("Save")
        || (offer.type == SharedFileType && choice == QLatin1String("Reject"));
    ChatWindow *w = window(jid);
    if (!download) {
        if (w)
            w->appendNote(QStringLiteral("已拒绝接收文件 %1").arg(name));
        return;
    }
    const QString folder = shellString(Command::TransferPath);
    const QString safeName = QFileInfo(name).fileName();
    if (folder.isEmpty() || safeName.isEmpty() || !QDir().mkpath(folder)) {
        logWarn(QStringLiteral("file offer not received: no usable transfer folder or name"));
        return;
    }
    QSaveFile file(folder + QLatin1Char('/') + safeName);
    const QByteArray content = QStringLiteral("%1 发送的演示文件 %2\n").arg(offer.fromName, name).toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit()) {
        logWarn(QStringLiteral("file offer not saved: %1").arg(file.errorString()));
        return;
    }
    if (w)
        w->appendNote(QStringLiteral("已接收文件 %1，保存在 %2").arg(name, folder));
}
