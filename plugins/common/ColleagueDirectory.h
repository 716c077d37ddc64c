#pragma once

#include <QList>
#include <QString>

// One person of the demo directory.
struct Colleague
{
    QString user;
    QString jid;
    QString name;
    QString department;
    QString title;
    QString signature;

    bool isValid() const { return !jid.isEmpty(); }
    QString surname() const { return name.left(1); }
};

// The demo company's directory, read from Resources/Demo/colleagues.json next
// to the shell. A missing or garbled file leaves it empty, with a log line.
class ColleagueDirectory
{
public:
    // The process-wide directory, loaded on first use.
    static const ColleagueDirectory &instance();

    bool load(const QString &path);
    QString errorText() const { return m_error; }

    QList<Colleague> colleagues() const { return m_colleagues; }
    // Case-insensitive; a bare user name or a full JID.
    Colleague find(const QString &userOrJid) const;
    bool checkPassword(const QString &password) const;
    QString domain() const { return m_domain; }
    QStringList departments() const;

    static QString defaultPath();
    static QString builtInPath();

private:
    QList<Colleague> m_colleagues;
    QString m_domain;
    QString m_password;
    QString m_error;
};
