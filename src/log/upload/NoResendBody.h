#pragma once

#include <QByteArray>
#include <QIODevice>

// A request body that can be read once only. Qt 6.4 silently sends a POST again when
// the server drops the connection without an answer; with this body (and upload
// buffering off) that resend fails with ContentReSendError instead of doubling the data.
class NoResendBody : public QIODevice
{
    Q_OBJECT
public:
    explicit NoResendBody(const QByteArray &data, QObject *parent = nullptr);

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;
    bool reset() override;
    bool atEnd() const override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_data;
    qint64 m_read = 0;
};
