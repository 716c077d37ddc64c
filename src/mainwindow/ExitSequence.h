#pragma once

#include "MainWindowSeams.h"

#include <functional>

// The two ways out of a log-in, exit and change of user: what the plug-ins are
// told, what is saved, and the order. Runs once; a second request is ignored.
class ExitSequence
{
public:
    enum class Mode { Exit, ChangeUser };

    // The int told to the contacts plug-in at exit (Command::CloseMainWindow): the
    // off-line presence code, so it sees the user leave, not a presence to keep.
    static constexpr int ExitState = 0;

    struct Window
    {
        std::function<void()> saveState;    // size, place, docking, expanded groups
        std::function<void()> stopAndHide;  // timers stopped, windows hidden
        std::function<bool()> clearLogInfo;
    };

    explicit ExitSequence(MainWindowSeams *seams);

    bool hasRun() const { return m_ran; }
    // False when it already ran.
    bool run(Mode mode, const Window &window);

private:
    void emptyPhoneLog();

    MainWindowSeams *m_seams;
    bool m_ran = false;
};
