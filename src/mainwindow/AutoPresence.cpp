#include "AutoPresence.h"

int AutoPresence::effectivePresence(int code, int detail)
{
    return (code == 0 || code == 5) && detail == 1 ? 7 : code;
}

int AutoPresence::awaySeconds(const Settings &settings)
{
    if (settings.changeToAway != QLatin1String("1"))
        return 0;
    bool ok = false;
    const int minutes = settings.awayMinute.trimmed().toInt(&ok);
    // An empty, zero or garbled value must not send the user away at the first idle second.
    if (!ok || minutes <= 0 || minutes > 24 * 60)
        return 0;
    return minutes * 60;
}

QList<AutoPresence::Step> AutoPresence::tick(const Inputs &inputs, const Settings &settings)
{
    QList<Step> steps;
    if (inputs.idleSeconds < 0)
        return steps;
    const int presence = effectivePresence(inputs.ownPresence, inputs.ownPresenceDetail);

    if (inputs.idleSeconds != 0) {
        const int away = awaySeconds(settings);
        // Once is enough even if the own-account record has not caught up yet.
        if (away > 0 && inputs.idleSeconds >= away && presence == Online && !m_autoAway) {
            steps.append({Action::GoAway});
            m_autoAway = true;
            if (m_idleMark)
                steps.append({Action::TellPresence, IdleMark});
        }
        if (inputs.idleSeconds >= MarkSeconds && !m_idleMark) {
            steps.append({Action::TellPresence, IdleMark});
            m_idleMark = true;
        }
    } else {
        if (m_autoAway) {
            steps.append({Action::GoOnline});
            m_autoAway = false;
        } else if (m_idleMark) {
            steps.append({Action::TellPresence, presence});
        }
        m_idleMark = false;
    }

    if (settings.changeToBusy == QLatin1String("1")) {
        if (inputs.fullScreenInFront && presence == Online && !m_autoBusy) {
            steps.append({Action::GoBusy});
            m_autoBusy = true;
        } else if (!inputs.fullScreenInFront && m_autoBusy) {
            steps.append({Action::GoOnline});
            m_autoBusy = false;
        }
    }
    return steps;
}
