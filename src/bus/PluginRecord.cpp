#include "PluginRecord.h"

QString PluginRecord::stateName(State state)
{
    switch (state) {
    case State::Missing: return QStringLiteral("missing");
    case State::NotAPlugin: return QStringLiteral("not a plug-in");
    case State::NoReceiver: return QStringLiteral("no receiver");
    case State::DuplicateAddress: return QStringLiteral("duplicate address");
    case State::Loaded: return QStringLiteral("loaded");
    }
    return QString();
}

QString PluginRecord::summary() const
{
    QString line = QStringLiteral("plug-in %1: %2").arg(file, stateName(state));
    if (!address.isEmpty())
        line += QStringLiteral(", address %1").arg(address);
    line += QStringLiteral(", path %1").arg(path.isEmpty() ? QStringLiteral("(none)") : path);
    if (!error.isEmpty())
        line += QStringLiteral(": ") + error;
    return line;
}
