// test-flags: LIBS Qt6::HttpServer
#include "LoopbackHttpServer.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

// The server's harder answers are what HTTP clients' failure tests stand on: if one of them
// quietly behaved like a plain answer, those tests would pass without testing anything.
class tst_LoopbackHttpServer : public QObject
{
    Q_OBJECT
private slots:
    void answersAsTold();
};

namespace {

struct Result
{
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    QByteArray body;
    QString finalPath;
};

Result get(QNetworkAccessManager &network, const QString &url, int timeoutMs = 5000)
{
    QNetworkRequest request{QUrl(url)};
    request.setTransferTimeout(timeoutMs);
    std::unique_ptr<QNetworkReply> reply(network.get(request));
    QSignalSpy finished(reply.get(), &QNetworkReply::finished);
    finished.wait(10000);
    return {reply->error(), reply->readAll(), reply->url().path()};
}

} // namespace

void tst_LoopbackHttpServer::answersAsTold()
{
    LoopbackHttpServer server;
    QVERIFY(server.isListening());
    QNetworkAccessManager network;
    const QByteArray body(4000, 'b');

    server.answer("/split", LoopbackHttpServer::Answer::split(body, 100));
    Result split = get(network, server.url("/split"));
    QCOMPARE(split.error, QNetworkReply::NoError);
    QCOMPARE(split.body, body);

    server.answer("/old", LoopbackHttpServer::Answer::redirect(server.url("/new")));
    server.answer("/new", {200, "moved", {}, 0, false});
    Result moved = get(network, server.url("/old"));
    QCOMPARE(moved.body, QByteArray("moved"));
    QCOMPARE(moved.finalPath, QString("/new"));

    server.answer("/hang", LoopbackHttpServer::Answer::hanging());
    QCOMPARE(get(network, server.url("/hang"), 300).error, QNetworkReply::OperationCanceledError);
    server.answer("/late", {200, "late", {}, 2000, false});
    QCOMPARE(get(network, server.url("/late"), 300).error, QNetworkReply::OperationCanceledError);

    const QString refused = LoopbackHttpServer::refusedUrl("/x");
    QVERIFY(refused.startsWith("http://127.0.0.1:"));
    QCOMPARE(get(network, refused).error, QNetworkReply::ConnectionRefusedError);
    QCOMPARE(server.paths(), (QStringList{"/split", "/old", "/new", "/hang", "/late"}));
}

QTEST_GUILESS_MAIN(tst_LoopbackHttpServer)
#include "tst_LoopbackHttpServer.moc"
