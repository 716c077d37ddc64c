#pragma once

#include "WindowPlacement.h"

#include <QString>
#include <QStringList>

// The main window's per-user files: "config.ini" and "Log.ini" in the account's
// folder. An empty folder (no account yet) writes nothing and logs.
class UserFiles
{
public:
    explicit UserFiles(const QString &folder);

    QString folder() const { return m_folder; }
    QString configPath() const;
    QString logIniPath() const;

    WindowPlacement::Stored readRect() const;
    bool saveRect(const QRect &geometry, int stayType) const;
    bool saveExpandedGroups(const QStringList &groups) const;
    bool saveAutoLoginStatus(int code) const;
    int autoLoginStatus() const;
    bool setAutoLogin(const QString &value) const;
    // Head pictures of a past session ("zq" in the name) in "designHeadImage".
    void removeTemporaryHeads() const;

    struct LogInfo
    {
        QString uid;
        QString key;
        QString jid;
        QString username;
    };
    // The upload key is a secret: the file is the user's alone.
    bool writeLogInfo(const LogInfo &info) const;
    bool clearLogInfo() const;

private:
    bool usable(const char *what) const;
    bool writeConfig(const QString &key, const QVariant &value) const;

    QString m_folder;
};
