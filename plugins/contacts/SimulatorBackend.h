#pragma once

#include "ChatBackend.h"

#include <QHash>
#include <QStringList>
#include <QTimer>

// Colleagues from the demo directory who answer within a second or two and,
// with LUMIO_DEMO_INTERVAL=<seconds>, write, send files and call on their own.
class SimulatorBackend : public ChatBackend
{
    Q_OBJECT
public:
    explicit SimulatorBackend(QObject *parent = nullptr);

    void logIn(const QString &account, const QString &password, bool trusted) override;
    void logOut() override;
    void setPresence(int code, const QString &text) override;
    QString sendMessage(const QString &jid, const QString &text) override;
    bool isConnected() const override { return !m_jid.isEmpty(); }
    QString jid() const override { return m_jid; }
    int presenceCode() const override { return m_presence; }
    void simulate(Demo demo) override;

    // Answer delay bounds in milliseconds; tests shorten them.
    void setReplyDelay(int minimumMs, int maximumMs);

private:
    QString nextId();
    QStringList others() const;
    QString pickColleague();
    void finishLogIn(const QString &account, const QString &password, bool trusted);
    void demoTick();

    QString m_jid;
    int m_presence = 0;
    int m_counter = 0;
    int m_pick = 0;
    int m_demoStep = 0;
    int m_minDelay = 1000;
    int m_maxDelay = 2000;
    quint64 m_session = 0;
    QTimer m_demoTimer;
};
