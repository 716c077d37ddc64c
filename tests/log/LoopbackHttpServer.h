#pragma once

#include <QAbstractHttpServer>
#include <QHostAddress>
#include <QHttpServerRequest>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QStringList>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

// A real HTTP server on 127.0.0.1 that records each request and answers each path as
// told: a status with a body and headers, after a delay, or bytes that are no HTTP.
class LoopbackHttpServer : public QAbstractHttpServer
{
public:
    struct Answer {
        int status = 200;
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;
        int delayMs = 0;
        bool garbage = false;
    };
    struct Seen {
        QString path;
        QString query; // as sent, still percent-encoded
        QByteArray body;
        QMap<QByteArray, QByteArray> headers; // lower-case names

        // The body as a decoded urlencoded form.
        QMap<QString, QString> form() const
        {
            QMap<QString, QString> fields;
            for (const QByteArray &pair : body.split('&')) {
                const int eq = pair.indexOf('=');
                fields.insert(QString::fromLatin1(pair.left(eq)), QUrl::fromPercentEncoding(pair.mid(eq + 1)));
            }
            return fields;
        }
    };

    LoopbackHttpServer() { m_port = listen(QHostAddress::LocalHost, 0); }

    bool isListening() const { return m_port != 0; }
    QString url(const QString &path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path);
    }
    void answer(const QString &path, const Answer &answer) { m_answers[path] = answer; }
    QList<Seen> seen;
    QStringList paths() const
    {
        QStringList p;
        for (const Seen &s : seen)
            p.append(s.path);
        return p;
    }

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override
    {
        Seen s{request.url().path(), request.url().query(QUrl::FullyEncoded), request.body(), {}};
        for (const auto &h : request.headers())
            s.headers.insert(h.first.toLower(), h.second);
        seen.append(s);
        const Answer a = m_answers.value(s.path);
        QByteArray raw;
        if (a.garbage) {
            raw = "\x01\x02 not http at all\r\n\r\n";
        } else {
            raw = "HTTP/1.1 " + QByteArray::number(a.status) + " X\r\n";
            for (const auto &h : a.headers)
                raw += h.first + ": " + h.second + "\r\n";
            raw += "Content-Length: " + QByteArray::number(a.body.size()) + "\r\n\r\n" + a.body;
        }
        // The client may be gone by the time a delayed answer is due.
        QPointer<QTcpSocket> guard(socket);
        auto send = [guard, raw, garbage = a.garbage] {
            if (guard && guard->state() == QAbstractSocket::ConnectedState) {
                guard->write(raw);
                if (garbage)
                    guard->disconnectFromHost();
            }
        };
        if (a.delayMs > 0)
            QTimer::singleShot(a.delayMs, this, send);
        else
            send();
        return true;
    }
    void missingHandler(const QHttpServerRequest &, QTcpSocket *) override {}

private:
    quint16 m_port = 0;
    QMap<QString, Answer> m_answers;
};
