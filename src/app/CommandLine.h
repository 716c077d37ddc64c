#pragma once

#include <QString>
#include <QStringList>

// The user id and quick-launch value a desktop shortcut may start the shell with.
struct CommandLine
{
    QString userId;
    QString quickLaunch;

    // arguments excludes the program name; only exactly two are looked at.
    static CommandLine parse(const QStringList &arguments);
};
