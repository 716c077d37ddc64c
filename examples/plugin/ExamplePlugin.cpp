#include "ExamplePlugin.h"

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/Commands.h>
#include <lumio/EventManager.h>
#include <lumio/PayloadReader.h>
#include <lumio/SharedLog.h>
#include <lumio/Version.h>

#include <QFile>
#include <QTimer>

static_assert(LUMIO_SDK_VERSION >= LUMIO_SDK_VERSION_CHECK(1, 0, 0), "needs the 1.0 SDK or later");

QString ExamplePlugin::pluginVersion() const
{
    return QStringLiteral(LUMIO_SDK_VERSION_STR);
}

void ExamplePlugin::setEventManager(EventManager *manager)
{
    m_bus = manager;
    // The shell loads plug-ins before its event loop runs; ask once it does.
    QTimer::singleShot(0, this, &ExamplePlugin::askShell);
}

void ExamplePlugin::askShell()
{
    if (!m_bus)
        return;
    // A question is a synchronous event: the caller owns it, and the answer is the new
    // payload the receiver wrote. Send only from the GUI thread.
    // The question carries nothing; an answer holds at least the string's length.
    BaseEvent event(Command::MessageFilePath, QByteArray(), QString::fromLatin1(Address::Shell), pluginId());
    m_bus->send(&event);
    const bool answered = !event.data().isEmpty();
    PayloadReader reader(event.data());
    const QString text = answered ? QStringLiteral("answered: %1").arg(reader.readString())
                                  : QStringLiteral("unanswered");
    LUMIO_SHARED_LOG(m_log, Info, QStringLiteral("ExamplePlugin: ") + text);
    const QString path = qEnvironmentVariable("LUMIO_EXAMPLE_ANSWER");
    QFile file(path);
    if (!path.isEmpty() && file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text.toUtf8());
}

void ExamplePlugin::customEvent(QEvent *event)
{
    if (BaseEvent *baseEvent = BaseEvent::cast(event))
        LUMIO_SHARED_LOG(m_log, Debug,
                         QStringLiteral("ExamplePlugin: command 0x%1").arg(baseEvent->command(), 0, 16));
}
