#pragma once

#include <QString>

// The page the shell's message box shows: installed under the message file path.
class MessagePage
{
public:
    static QString html();
    // Writes <messageFilePath>/index/msgRecordIndex.html unless it is already current.
    static bool install(const QString &messageFilePath, QString *error);
    // A fragment as the page may show it: nothing is fetched from outside the machine.
    static QString localOnly(const QString &fragment);
};
