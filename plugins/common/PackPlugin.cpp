#include "PackPlugin.h"

#include "PackSkin.h"
#include <lumio/Commands.h>

#include <lumio/BaseEvent.h>
#include <lumio/EventManager.h>
#include <lumio/PayloadReader.h>
#include <lumio/SysUIData.h>

#include <QCoreApplication>
#include <QDebug>

PackPlugin::PackPlugin(const char *address, QObject *parent)
    : QObject(parent)
    , m_address(QString::fromLatin1(address))
{
    if (QCoreApplication *app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, [this] { releaseWindows(); });
}

bool PackPlugin::canReleaseWindows()
{
    return QCoreApplication::instance() != nullptr;
}

void PackPlugin::tell(int command, const QString &target, const QByteArray &payload)
{
    if (!m_bus) {
        logWarn(QStringLiteral("command 0x%1 before the bus was given; dropped").arg(command, 0, 16));
        return;
    }
    BaseEvent event(command, payload, target, m_address, {}, true, false);
    m_bus->send(&event);
}

void PackPlugin::post(int command, const QString &target, const QByteArray &payload)
{
    if (!m_bus) {
        logWarn(QStringLiteral("command 0x%1 before the bus was given; dropped").arg(command, 0, 16));
        return;
    }
    m_bus->send(new BaseEvent(command, payload, target, m_address, {}, true, true));
}

std::optional<QByteArray> PackPlugin::ask(int command, const QString &target,
                                          const QByteArray &payload)
{
    if (!m_bus)
        return std::nullopt;
    BaseEvent event(command, payload, target, m_address, {}, true, false);
    const QByteArray request = event.data();
    m_bus->send(&event);
    const QByteArray reply = event.data();
    // An answer is always a fresh byte array; the request's own bytes mean silence.
    if (reply.isSharedWith(request) && !request.isNull()) {
        logWarn(QStringLiteral("no answer to command 0x%1").arg(command, 0, 16));
        return std::nullopt;
    }
    if (request.isNull() && reply.isNull())
        return std::nullopt;
    return reply;
}

bool PackPlugin::answer(BaseEvent &event, const QByteArray &bytes)
{
    if (event.posted()) {
        logWarn(QStringLiteral("command 0x%1 was posted; not answered").arg(event.command(), 0, 16));
        return false;
    }
    event.setData(bytes);
    return true;
}

bool PackPlugin::answerAddress(BaseEvent &event, const void *object)
{
    PayloadWriter writer;
    writer.writeAddress(object);
    return answer(event, writer.bytes());
}

void PackPlugin::logInfo(const QString &text) const
{
    if (m_log)
        LUMIO_SHARED_LOG(m_log, Info, text);
    else
        qInfo().noquote() << text;
}

void PackPlugin::logWarn(const QString &text) const
{
    if (m_log)
        LUMIO_SHARED_LOG(m_log, Warn, text);
    else
        qWarning().noquote() << text;
}

void PackPlugin::customEvent(QEvent *event)
{
    BaseEvent *baseEvent = BaseEvent::cast(event);
    if (!baseEvent)
        return;
    if (baseEvent->command() == Command::SkinChange) {
        // The record is an attachment of the broadcast; copy it while the event lives.
        PayloadReader reader(baseEvent->data());
        const SysUIData *skin = reader.readPointer<SysUIData>();
        // Only an address the event itself carries is known to be a live record.
        if (skin && baseEvent->attachments().contains(const_cast<SysUIData *>(skin))) {
            PackSkin::set(*skin);
            skinChanged();
        } else {
            logWarn(QStringLiteral("skin change without its record; ignored"));
        }
        return;
    }
    handle(*baseEvent);
}
