#pragma once

#include <QStringList>

// Driver steps that work the real pack's windows like a user and photograph
// the whole X screen (tray host included) into LUMIO_E2E_SHOTS.
class E2eShots
{
public:
    static bool handles(const QString &op);
    // False when the step could not be done.
    static bool run(const QStringList &words);
};
