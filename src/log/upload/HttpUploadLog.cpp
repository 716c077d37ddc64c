#include "HttpUploadLog.h"

#include "LogUploadReply.h"
#include "NoResendBody.h"
#include "log/ShellLog.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRandomGenerator>
#include <QTextCodec>
#include <QTimer>
#include <QUrl>

namespace {

const QByteArray FormType = QByteArrayLiteral("application/x-www-form-urlencoded");

QByteArray enc(const QString &text)
{
    return QUrl::toPercentEncoding(text);
}

} // namespace

HttpUploadLog::HttpUploadLog(QObject *parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
{
}

HttpUploadLog::~HttpUploadLog()
{
    if (QNetworkReply *reply = takeReply()) {
        reply->abort();
        reply->deleteLater();
    }
}

QByteArray HttpUploadLog::authorization(const QString &user, const QString &password)
{
    const QByteArray digest = QCryptographicHash::hash(password.toUtf8(), QCryptographicHash::Md5).toHex();
    return "Basic " + (user.toUtf8() + ':' + digest).toBase64();
}

QByteArray HttpUploadLog::reqParams(const QString &requestId, const QString &keyId,
                                    const QString &callbackUri, const QString &user)
{
    return "requestId*" + enc(requestId) + ",salAccessKeyId*" + enc(keyId) + ",policy*private"
        + ",callbackUri*" + enc(callbackUri) + ",userId*" + enc(user);
}

QNetworkReply *HttpUploadLog::post(const QUrl &url, const QByteArray &contentType, const QByteArray &body)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, contentType);
    request.setHeader(QNetworkRequest::ContentLengthHeader, body.size());
    request.setRawHeader("Authorization", authorization(m_user, m_password));
    request.setTransferTimeout(m_timeoutMs);
    // Qt would silently resend a POST on a dropped connection; a resent file or
    // registration would be stored twice.
    request.setAttribute(QNetworkRequest::DoNotBufferUploadDataAttribute, true);
    auto *device = new NoResendBody(body, this);
    QNetworkReply *reply = m_manager->post(request, device);
    device->setParent(reply);
    m_reply = reply;
    return reply;
}

QNetworkReply *HttpUploadLog::takeReply()
{
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    if (reply)
        reply->disconnect(this);
    return reply;
}

void HttpUploadLog::uploadFile(const QString &uploadPointUrl, const QString &objectIdUrl,
                               const QString &user, const QString &password, const QString &filePath)
{
    m_reported = false;
    m_objectIdUrl = objectIdUrl;
    m_user = user;
    m_password = password;
    m_filePath = filePath;
    m_fileName = QFileInfo(filePath).fileName();
    QFile file(filePath);
    const QUrl url(uploadPointUrl);
    if (!file.open(QIODevice::ReadOnly) || !url.isValid() || url.scheme().isEmpty()) {
        const QString reason = file.isOpen() ? QStringLiteral("no upload-point URL")
                                             : QStringLiteral("%1 not readable").arg(filePath);
        // Reported from the event loop, so a caller connected after the call still hears it.
        QTimer::singleShot(0, this, [this, reason] { failUpload(reason); });
        return;
    }
    m_fileBytes = file.readAll();
    m_fileSize = QString::number(m_fileBytes.size());
    const QByteArray sha1 = QCryptographicHash::hash(m_fileBytes, QCryptographicHash::Sha1).toHex().toUpper();
    const QByteArray body = "filename=" + enc(m_fileName) + "&filesize=" + m_fileSize.toLatin1()
        + "&filetype=" + enc(QFileInfo(filePath).suffix()) + "&filesha1=" + sha1;
    LOG_INFO(QStringLiteral("HttpUploadLog::uploadFile() ") + m_fileName + QLatin1Char(' ') + m_fileSize);
    connect(post(url, FormType, body), &QNetworkReply::finished, this, &HttpUploadLog::slot_sendSecondRequest);
}

bool HttpUploadLog::transferFailed(QNetworkReply *reply, const char *step)
{
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    QString reason;
    if (reply->error() != QNetworkReply::NoError)
        reason = reply->errorString();
    else if (status < 200 || status > 299)
        reason = QStringLiteral("HTTP status %1").arg(status);
    const QByteArray ret = reply->rawHeader("ZQRetCode");
    int code = 0;
    if (reason.isEmpty() && LogUploadReply::readRetCode(ret, &code) && code != 0)
        reason = QStringLiteral("ZQRetCode %1 (%2)").arg(QString::fromLatin1(ret),
                                                         QString::fromUtf8(reply->rawHeader("ZQRetMsg")));
    if (reason.isEmpty())
        return false;
    LOG_WARN(QStringLiteral("HttpUploadLog: %1 failed: %2").arg(QLatin1String(step), reason));
    return true;
}

void HttpUploadLog::slot_sendSecondRequest()
{
    QNetworkReply *reply = takeReply();
    if (!reply)
        return;
    reply->deleteLater();
    if (transferFailed(reply, "upload point"))
        return failUpload(QStringLiteral("upload point"));
    LogUploadReply::UploadPoint point;
    QString reason;
    if (!LogUploadReply::readUploadPoint(reply->readAll(), &point, &reason))
        return failUpload(reason);
    m_requestId = point.requestId;
    m_uploadUrl = point.url;
    m_keyId = point.keyId;
    m_callbackUri = point.callbackUri;
    const QString separator = m_uploadUrl.contains(QLatin1Char('?')) ? QStringLiteral("&") : QStringLiteral("?");
    const QUrl url = QUrl::fromEncoded(m_uploadUrl.toUtf8() + separator.toLatin1() + "req_params="
                                       + reqParams(m_requestId, m_keyId, m_callbackUri, m_user));
    if (m_uploadUrl.isEmpty() || !url.isValid() || url.scheme().isEmpty())
        return failUpload(QStringLiteral("no file URL in the upload point's answer"));

    QTextCodec *gbk = QTextCodec::codecForName("GBK");
    QByteArray name = gbk ? gbk->fromUnicode(m_fileName) : m_fileName.toUtf8();
    name.replace('"', '_');
    const QByteArray boundary = "lumio" + QByteArray::number(QRandomGenerator::global()->generate64(), 16);
    const QByteArray body = "--" + boundary + "\r\n"
        + "Content-Disposition: form-data; name=\"uploadfile\"; filename=\"" + name + "\"\r\n"
        + "Content-Type: application/octet-stream\r\n\r\n" + m_fileBytes + "\r\n--" + boundary + "--\r\n";
    connect(post(url, "multipart/form-data; boundary=" + boundary, body), &QNetworkReply::finished, this,
            &HttpUploadLog::slot_uploadFinished);
}

void HttpUploadLog::slot_uploadFinished()
{
    QNetworkReply *reply = takeReply();
    if (!reply)
        return;
    reply->deleteLater();
    if (transferFailed(reply, "file transfer"))
        return failUpload(QStringLiteral("file transfer"));
    const QUrl url(m_objectIdUrl);
    if (m_objectIdUrl.isEmpty() || !url.isValid()) {
        m_fileSize.clear();
        return failUpload(QStringLiteral("no object-id service URL"));
    }
    connect(post(url, FormType, "requestId=" + enc(m_requestId)), &QNetworkReply::finished, this,
            &HttpUploadLog::slot_QueryObjectID);
}

void HttpUploadLog::slot_QueryObjectID()
{
    QNetworkReply *reply = takeReply();
    if (!reply)
        return;
    reply->deleteLater();
    if (transferFailed(reply, "object-id query"))
        return failUpload(QStringLiteral("object-id query"));
    QString reason;
    if (!LogUploadReply::readObjectId(reply->readAll(), &m_objectId, &reason))
        return failUpload(reason);
    LOG_INFO(QStringLiteral("HttpUploadLog::slot_QueryObjectID() objectId=") + m_objectId);
    m_reported = true;
    emit signal_uploadDone(true, m_fileSize, m_objectId);
}

void HttpUploadLog::notifyServer(const QString &url, const QString &user, const QString &password,
                                 const QString &objectId, const QString &fileName, const QString &clientType)
{
    m_reported = false;
    m_user = user;
    m_password = password;
    const QUrl target(url);
    if (!target.isValid() || target.scheme().isEmpty()) {
        QTimer::singleShot(0, this, [this] { failNotify(QStringLiteral("no log-info service URL")); });
        return;
    }
    const QByteArray body = "objectId=" + enc(objectId) + "&fileName=" + enc(fileName)
        + "&clientType=" + enc(clientType);
    connect(post(target, FormType, body), &QNetworkReply::finished, this,
            &HttpUploadLog::slot_notifyReplyFinished);
}

void HttpUploadLog::slot_notifyReplyFinished()
{
    QNetworkReply *reply = takeReply();
    if (!reply)
        return;
    reply->deleteLater();
    if (transferFailed(reply, "registration"))
        return failNotify(QStringLiteral("registration"));
    LogUploadReply::Registration registration;
    QString reason;
    const bool ok = LogUploadReply::readRegistration(reply->readAll(), &registration, &reason);
    LOG_INFO(QStringLiteral("HttpUploadLog::slot_notifyReplyFinished() code=%1 msg=%2")
                 .arg(registration.code).arg(registration.message));
    if (!ok)
        return failNotify(reason);
    m_reported = true;
    emit signal_notifyDone(true);
}

void HttpUploadLog::failUpload(const QString &reason)
{
    if (m_reported)
        return;
    m_reported = true;
    LOG_WARN(QStringLiteral("HttpUploadLog: upload of %1 failed: %2").arg(m_fileName, reason));
    emit signal_uploadDone(false, m_fileSize, QString());
}

void HttpUploadLog::failNotify(const QString &reason)
{
    if (m_reported)
        return;
    m_reported = true;
    LOG_WARN(QStringLiteral("HttpUploadLog: ") + reason);
    emit signal_notifyDone(false);
}
