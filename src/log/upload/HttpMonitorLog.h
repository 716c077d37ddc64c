#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

// One beacon upload: posts a form body and reports once, on the reply or on the time-out.
class HttpMonitorLog : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultTimeoutMs = 10000;

    explicit HttpMonitorLog(QObject *parent = nullptr);
    ~HttpMonitorLog() override;

    void setTimeout(int ms) { m_timeoutMs = ms; }
    // Synchronous uploads spin a local event loop until the one report.
    void uploadMonitorLog(const QString &url, const QByteArray &body, bool asynchronous);
    bool isDone() const { return m_done; }

signals:
    void signal_uploadFinished(bool bSuccess);

private slots:
    void slot_uploadFinished();
    void slot_uploadTimeout();

private:
    void finish(bool success);
    void dropReply(bool abort);

    QNetworkAccessManager *m_manager;
    QPointer<QNetworkReply> m_reply;
    QTimer *m_timer;
    int m_timeoutMs = DefaultTimeoutMs;
    bool m_done = false;
};
