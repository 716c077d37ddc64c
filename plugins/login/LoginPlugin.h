#pragma once

#include "PackPlugin.h"

#include <QPointer>
#include <QTimer>

class LoginWindow;

// The log-in party: its window, the log-in sequence the shell expects, and the
// account database opened before the shell hears that the log-in completed.
class LoginPlugin : public PackPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PluginInterface_iid FILE "login.json")
public:
    LoginPlugin();
    ~LoginPlugin() override;
    QString pluginName() const override { return QStringLiteral("login"); }

    LoginWindow *window() const { return m_window; }

protected:
    void handle(BaseEvent &event) override;
    void skinChanged() override;
    void releaseWindows() override;

private:
    void showWindow(const QString &account);
    void startLogIn(const QString &account, const QString &password, bool quick);
    void loggedIn(const QString &jid);
    void finishLogIn(const QString &jid);
    void upgradeSettled();
    void loginFailed(const QString &reason);
    void rememberChoices(const QString &account);

    QPointer<LoginWindow> m_window;
    QString m_pendingAccount;
    QString m_jid;
    int m_presence = 1;
    bool m_inProgress = false;
    bool m_loggedIn = false;
    // The log-in-time upgrade check: until it settles, a finished backend
    // log-in is held here; a held JID means the check is still awaited.
    QTimer m_upgradeWait;
    QString m_heldJid;
};
