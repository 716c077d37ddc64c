#pragma once

#include <QList>
#include <QPixmap>
#include <QString>
#include <QStringList>

// A contact's presence code and client device as a label and status icons.
// Status: 0 offline, 1/3/6 online, 2 away, 4 busy, 5 invisible, 7 mobile only;
// device: 0 none, 1 Android, 2 Apple, other values another mobile device.
class PresenceText
{
public:
    // The label in parentheses, e.g. "(在线)".
    static QString presenceText(int status, int device, bool invisible);
    static QString presenceLabel(int status, int device, bool invisible);

    // One or two paths relative to the application folder.
    static QStringList presenceIconPaths(int status, int device);
    // The icons loaded from the application folder; missing files are left out and logged.
    static QList<QPixmap> presenceIcons(int status, int device);
};
