#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

// The messaging service as the contacts party sees it. A protocol backend
// replaces the simulator behind this interface; nothing else changes.
class ChatBackend : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // The backend LUMIO_BACKEND names ("simulator", the default); null for an unknown name.
    static ChatBackend *create(const QString &name, QObject *parent = nullptr);
    static ChatBackend *fromEnvironment(QObject *parent = nullptr);

    // trusted: the account was started from a quick launch and brings no password.
    virtual void logIn(const QString &account, const QString &password, bool trusted) = 0;
    virtual void logOut() = 0;
    virtual void setPresence(int code, const QString &text) = 0;
    // The new message's id; empty when it cannot be sent.
    virtual QString sendMessage(const QString &jid, const QString &text) = 0;
    virtual bool isConnected() const = 0;
    virtual QString jid() const = 0;
    virtual int presenceCode() const = 0;

    enum class Demo { Message, File, VoiceCall, VideoCall, PhoneCall, Label };
    // Only the simulator can make colleagues act on request; others ignore it.
    virtual void simulate(Demo) {}

signals:
    void loggedIn(const QString &jid);
    void loginFailed(const QString &reason);
    void disconnected();
    void presence(const QString &jid, int code);
    void message(const QString &id, const QString &from, const QString &text, const QDateTime &time);
    void fileOffered(const QString &id, const QString &from, const QString &fileName, qint64 size);
    void callOffered(const QString &id, const QString &from, bool video);
    void phoneCall(const QString &id, const QString &from, const QString &number);
    void labelRequested(const QString &id, const QString &from, const QString &label);
};
