#pragma once

#include <QAbstractHttpServer>
#include <QHostAddress>
#include <QHttpServerRequest>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

// A real HTTP server on 127.0.0.1 that records each request and answers each path as
// told: a status with a body and headers, after a delay (or never), in two writes, as a
// redirect, or with bytes that are no HTTP. refusedUrl() names a port nothing listens on.
class LoopbackHttpServer : public QAbstractHttpServer
{
public:
    struct Answer {
        int status = 200;
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;
        int delayMs = 0;
        bool garbage = false;
        bool never = false;     // holds the connection open without a byte, as a hung server
        int splitAfterMs = -1;  // >= 0: the body's second half follows this long after the first

        static Answer redirect(const QString &location, int status = 302)
        {
            Answer a;
            a.status = status;
            a.headers.append({"Location", location.toUtf8()});
            return a;
        }
        static Answer split(const QByteArray &body, int pauseMs = 50)
        {
            Answer a;
            a.body = body;
            a.splitAfterMs = pauseMs;
            return a;
        }
        static Answer hanging()
        {
            Answer a;
            a.never = true;
            return a;
        }
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

    // A loopback URL whose port was free a moment ago and has no listener: connecting is
    // refused at once.
    static QString refusedUrl(const QString &path)
    {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost, 0))
            return {};
        const quint16 port = probe.serverPort();
        probe.close();
        return QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path);
    }
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
        if (a.never)
            return true;
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
        QByteArray rest;
        if (a.splitAfterMs >= 0) {
            rest = raw.right(a.body.size() - a.body.size() / 2);
            raw.chop(rest.size());
        }
        auto send = [this, guard, raw, rest, garbage = a.garbage, pause = a.splitAfterMs] {
            if (guard && guard->state() == QAbstractSocket::ConnectedState) {
                guard->write(raw);
                guard->flush();
                if (garbage)
                    guard->disconnectFromHost();
                if (!rest.isEmpty())
                    QTimer::singleShot(pause, this, [guard, rest] {
                        if (guard && guard->state() == QAbstractSocket::ConnectedState)
                            guard->write(rest);
                    });
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
