#pragma once

#include <QObject>
#include <QString>

// The shell's requests to the plug-ins, one function per request.
class MainEventProcess : public QObject
{
    Q_OBJECT
public:
    // Login plug-in
    static void showLoginWindow(const QString &userId, const QString &quickLaunch);
};
