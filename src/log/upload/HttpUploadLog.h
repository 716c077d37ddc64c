#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;
class QUrl;

// The file service's three-request upload of a log archive (upload point, file
// transfer, object-id query) and the registration of the stored file with the
// log-info service. Each call reports exactly once.
class HttpUploadLog : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultTimeoutMs = 30000;

    explicit HttpUploadLog(QObject *parent = nullptr);
    ~HttpUploadLog() override;

    // Per request, for each of the chain's steps.
    void setTimeout(int ms) { m_timeoutMs = ms; }

    void uploadFile(const QString &uploadPointUrl, const QString &objectIdUrl, const QString &user,
                    const QString &password, const QString &filePath);
    void notifyServer(const QString &url, const QString &user, const QString &password,
                      const QString &objectId, const QString &fileName, const QString &clientType);

    static QByteArray authorization(const QString &user, const QString &password);
    // Values percent-encoded, the service's own "*" and "," separators literal.
    static QByteArray reqParams(const QString &requestId, const QString &keyId,
                                const QString &callbackUri, const QString &user);

signals:
    void signal_uploadDone(bool succesed, QString fileSize, QString fileId);
    void signal_notifyDone(bool bSuccess);

private slots:
    void slot_sendSecondRequest();
    void slot_uploadFinished();
    void slot_QueryObjectID();
    void slot_notifyReplyFinished();

private:
    QNetworkReply *post(const QUrl &url, const QByteArray &contentType, const QByteArray &body);
    QNetworkReply *takeReply();
    bool transferFailed(QNetworkReply *reply, const char *step);
    void failUpload(const QString &reason);
    void failNotify(const QString &reason);

    QNetworkAccessManager *m_manager;
    QPointer<QNetworkReply> m_reply;
    int m_timeoutMs = DefaultTimeoutMs;
    bool m_reported = false;
    QString m_objectIdUrl;
    QString m_user;
    QString m_password;
    QString m_filePath;
    QString m_fileName;
    QString m_fileSize;
    QByteArray m_fileBytes;
    QString m_requestId;
    QString m_uploadUrl;
    QString m_keyId;
    QString m_callbackUri;
    QString m_objectId;
};
