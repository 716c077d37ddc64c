#pragma once

#include "AccountSettings.h"

#include <lumio/SysUIData.h>

#include <QList>
#include <QObject>
#include <QVariant>

#include <functional>

// The user's settings: the data every account shares (IMInfo.ini) and the
// preferences of the account logging in (its config.ini).
class SystemSetData : public QObject
{
    Q_OBJECT
public:
    static SystemSetData *instance();
    explicit SystemSetData(QObject *parent = nullptr);

    void initCommonData();
    void initCommonData(const QString &imInfoPath);
    // False, with only defaults left, when the account is no usable folder name.
    bool loadAccount(const QString &account);
    void setSkinLoader(std::function<void(const QString &skinFolder)> loader);

    static bool isUsableFolderName(const QString &account);

    QString documentsBaseFolder() const { return m_documentsBase; }
    QString saveToRoot() const { return m_saveToRoot; }
    QString saveToMyDoc() const { return m_saveToMyDoc; }
    QString saveToMyChosen() const { return m_saveToMyChosen; }
    QString messageFilePath() const;
    QString account() const { return m_account; }
    QString accountFolder() const;

    const AccountSettings &settings() const { return m_settings; }
    QString transferPath() const;
    QString chatFontFamily() const;
    double chatFontSize() const;
    QColor textColor() const { return m_settings.textColor; }

    void setSendMsgFastkey(const QString &value) { m_settings.sendMsgFastkey = value; }
    void setSnapHide(const QString &value) { m_settings.snapHide = value; }
    void setFastReplyStr(const QString &value) { m_settings.fastReplyStr = value; }
    void setFastReplyList(const QStringList &value) { m_settings.fastReplyList = value; }
    void setAutoReplyStr(const QString &value) { m_settings.autoReplyStr = value; }
    void setAutoReplyList(const QStringList &value) { m_settings.autoReplyList = value; }
    void setBusyAutoReplyStr(const QString &value) { m_settings.busyAutoReplyStr = value; }
    void setBusyAutoReplyList(const QStringList &value) { m_settings.busyAutoReplyList = value; }
    void setMsgSync(const QString &value) { m_settings.msgSync = value; }

    // The close choices and the presence of the last log-in change the record and the
    // account's config.ini together; false, with a log line and nothing changed, while
    // no account is loaded or when the file cannot be written.
    bool setMainWindowWarn(const QString &value);
    bool setCloseMainWindow(const QString &value);
    bool setHideMainWindow(const QString &value);
    bool setLoginPresence(int code);

    // The log-upload credentials in the account's Log.ini, which the crash path reads.
    // The file holds a key, so only its owner may read it.
    struct LogInfo
    {
        QString uid;
        QString key;
        QString username;
        QString jid;
    };
    bool writeLogInfo(const LogInfo &info);
    bool clearLogInfo();
    QString logInfoPath() const;

    SysUIData currentSkin() const { return m_currentSkin; }
    void setCurrentSkin(const SysUIData &skin) { m_currentSkin = skin; }
    QList<SysUIData> skinBackgrounds() const { return m_skinBackgrounds; }
    void setSkinBackgrounds(const QList<SysUIData> &backgrounds) { m_skinBackgrounds = backgrounds; }

private:
    bool writeConfigValue(const QString &key, const QVariant &value);

    QString m_documentsBase;
    QString m_saveToRoot;
    QString m_saveToMyDoc;
    QString m_saveToMyChosen;
    QString m_messageFilePath;
    QString m_account;
    bool m_accountLoaded = false;
    AccountSettings m_settings;
    std::function<void(const QString &)> m_skinLoader;
    SysUIData m_currentSkin;
    QList<SysUIData> m_skinBackgrounds;
};
