#pragma once

#include <QString>

#include <array>

// What the plug-ins hand the shell during log-in, kept to answer their later questions.
class LoginCache
{
public:
    using AccountRecord = std::array<QString, 5>;

    static LoginCache *instance();
    LoginCache() = default;

    QString ownJid() const { return m_ownJid; }
    void setOwnJid(const QString &jid) { m_ownJid = jid; }
    QString logUploadUserId() const { return m_logUploadUserId; }
    void setLogUploadUserId(const QString &id) { m_logUploadUserId = id; }
    QString logUploadKey() const { return m_logUploadKey; }
    void setLogUploadKey(const QString &key) { m_logUploadKey = key; }
    QString textC() const { return m_textC; }
    void setTextC(const QString &text) { m_textC = text; }
    QString textD() const { return m_textD; }
    void setTextD(const QString &text) { m_textD = text; }
    bool flag() const { return m_flag; }
    void setFlag(bool flag) { m_flag = flag; }
    AccountRecord accountRecord() const { return m_accountRecord; }
    void setAccountRecord(const AccountRecord &record) { m_accountRecord = record; }
    // The record holds the password: it must not outlive the user it belongs to.
    void clearAccountRecord() { m_accountRecord = AccountRecord(); }

private:
    QString m_ownJid;
    QString m_logUploadUserId;
    QString m_logUploadKey;
    QString m_textC;
    QString m_textD;
    bool m_flag = false;
    AccountRecord m_accountRecord;
};
