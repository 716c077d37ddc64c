#include "HttpMonitorLog.h"

#include "NoResendBody.h"

#include <QDebug>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

HttpMonitorLog::HttpMonitorLog(QObject *parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
    , m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &HttpMonitorLog::slot_uploadTimeout);
}

HttpMonitorLog::~HttpMonitorLog()
{
    dropReply(true);
}

void HttpMonitorLog::uploadMonitorLog(const QString &url, const QByteArray &body, bool asynchronous)
{
    qDebug().noquote() << "entry HttpMonitorLog::uploadMonitorLog(),http上传监控日志开始.";
    if (m_reply || m_done) {
        qWarning().noquote() << "HttpMonitorLog: one upload per object; refused" << url;
        return;
    }
    const QUrl target(url);
    if (!target.isValid() || target.scheme().isEmpty()) {
        qWarning().noquote() << "HttpMonitorLog: no usable URL:" << url;
        // Reported after return, so a caller connecting afterwards still hears it.
        QTimer::singleShot(0, this, [this] { finish(false); });
        if (!asynchronous)
            finish(false);
        return;
    }
    QNetworkRequest request(target);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/x-www-form-urlencoded"));
    request.setHeader(QNetworkRequest::ContentLengthHeader, body.size());
    // A batch the server may already hold is never sent twice.
    request.setAttribute(QNetworkRequest::DoNotBufferUploadDataAttribute, true);
    auto *device = new NoResendBody(body, this);
    m_reply = m_manager->post(request, device);
    device->setParent(m_reply);
    connect(m_reply, &QNetworkReply::finished, this, &HttpMonitorLog::slot_uploadFinished);
    m_timer->start(m_timeoutMs);
    if (!asynchronous && !m_done) {
        QEventLoop loop;
        connect(this, &HttpMonitorLog::signal_uploadFinished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    qDebug().noquote() << "exit HttpMonitorLog::uploadMonitorLog(),http上传监控日志结束.";
}

void HttpMonitorLog::slot_uploadFinished()
{
    if (m_done || !m_reply)
        return;
    m_timer->stop();
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QString answer = QString::fromUtf8(m_reply->readAll());
    // Only 200 counts: a 204 means the beacon server did not take the batch.
    const bool ok = m_reply->error() == QNetworkReply::NoError && status == 200;
    if (ok) {
        qDebug().noquote() << "HttpMonitorLog::slot_uploadFinished(),监控日志上传成功!";
    } else {
        qDebug().noquote() << "HttpMonitorLog::slot_uploadFinished(),监控日志上传失败!" << status
                           << m_reply->errorString() << answer.left(200);
    }
    dropReply(false);
    finish(ok);
}

void HttpMonitorLog::slot_uploadTimeout()
{
    if (m_done)
        return;
    qDebug().noquote() << "HttpMonitorLog::slot_uploadTimeout(),监控日志上传超时!";
    // Disconnected before the abort: abort() emits finished() at once.
    dropReply(true);
    finish(false);
}

void HttpMonitorLog::finish(bool success)
{
    if (m_done)
        return;
    m_done = true;
    m_timer->stop();
    emit signal_uploadFinished(success);
}

void HttpMonitorLog::dropReply(bool abort)
{
    if (!m_reply)
        return;
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    if (abort && reply->isRunning())
        reply->abort();
    reply->deleteLater();
}
