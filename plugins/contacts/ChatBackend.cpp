#include "ChatBackend.h"

#include "SimulatorBackend.h"

#include <QtDebug>

ChatBackend *ChatBackend::create(const QString &name, QObject *parent)
{
    const QString key = name.trimmed().toLower();
    if (key.isEmpty() || key == QLatin1String("simulator"))
        return new SimulatorBackend(parent);
    qWarning().noquote() << "unknown messaging backend" << name << "; none started";
    return nullptr;
}

ChatBackend *ChatBackend::fromEnvironment(QObject *parent)
{
    return create(qEnvironmentVariable("LUMIO_BACKEND"), parent);
}
