#pragma once

#include <QList>
#include <QString>

// Automatic away and busy presence, decided once a second from the idle time,
// the user's status settings and whether a full-screen program is in front.
class AutoPresence
{
public:
    enum class Action { GoAway, GoOnline, GoBusy, TellPresence };
    struct Step
    {
        Action action;
        int code = 0; // for TellPresence
        bool operator==(const Step &other) const
        {
            return action == other.action && code == other.code;
        }
    };

    struct Settings
    {
        QString changeToAway;
        QString awayMinute;
        QString changeToBusy;
    };

    struct Inputs
    {
        int idleSeconds = -1; // negative: unknown on this desktop, nothing automatic
        int ownPresence = 0;
        int ownPresenceDetail = 0;
        bool fullScreenInFront = false;
    };

    static constexpr int Online = 1;
    static constexpr int Away = 2;
    static constexpr int IdleMark = 3;
    static constexpr int Busy = 4;
    static constexpr int MarkSeconds = 120;

    // The user's presence as the timer judges it: a hidden mobile-only login counts as 7.
    static int effectivePresence(int code, int detail);
    // Seconds of idle time before away, or 0 when the setting is off or unusable.
    static int awaySeconds(const Settings &settings);

    QList<Step> tick(const Inputs &inputs, const Settings &settings);

    bool awaySetAutomatically() const { return m_autoAway; }
    bool busySetAutomatically() const { return m_autoBusy; }
    bool idleMarkSet() const { return m_idleMark; }

private:
    bool m_autoAway = false;
    bool m_autoBusy = false;
    bool m_idleMark = false;
};
