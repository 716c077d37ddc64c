// test-flags: ../plugins/chat/MessagePage.cpp WEBENGINE LIBS Qt6::WebEngineWidgets
#include "../../plugins/chat/MessagePage.h"
#include "TestEnvironment.h"

#include <QFileInfo>
#include <QWebEnginePage>
#include <QtTest>

class tst_MessagePage : public QObject
{
    Q_OBJECT
private slots:
    void installIsIdempotentAndReportsFailure();
    void remoteReferencesAreBlanked();
    void pageFunctionsRunInTheBrowser();

private:
    TestEnvironment m_env;
};

void tst_MessagePage::installIsIdempotentAndReportsFailure()
{
    const QString root = m_env.root() + QStringLiteral("/messages");
    const QString page = root + QStringLiteral("/index/msgRecordIndex.html");
    QString error;
    QVERIFY(MessagePage::install(root, &error));
    QCOMPARE(TestEnvironment::readText(page), MessagePage::html().toUtf8());
    // A damaged copy is replaced.
    QVERIFY(TestEnvironment::writeText(page, "<html>broken"));
    QVERIFY(MessagePage::install(root, &error));
    QCOMPARE(TestEnvironment::readText(page), MessagePage::html().toUtf8());

    QVERIFY(!MessagePage::install(QString(), &error));
    QVERIFY(!error.isEmpty());
    // A file where the folder should be.
    const QString blocked = m_env.root() + QStringLiteral("/blocked");
    QVERIFY(TestEnvironment::writeText(blocked + QStringLiteral("/index"), "x"));
    error.clear();
    QVERIFY(!MessagePage::install(blocked, &error));
    QVERIFY(!error.isEmpty());
}

void tst_MessagePage::remoteReferencesAreBlanked()
{
    const QString fragment = QStringLiteral(
        "<img src=\"https://cdn.example.invalid/a.png\"><img SRC='http://x.invalid/b.gif' alt=1>"
        "<a href=ftp://files.invalid/c>c</a><img src=\"file:///tmp/local.png\"><p>https://text.stays</p>");
    const QString local = MessagePage::localOnly(fragment);
    QVERIFY(!local.contains(QLatin1String("cdn.example")));
    QVERIFY(!local.contains(QLatin1String("x.invalid")));
    QVERIFY(!local.contains(QLatin1String("files.invalid")));
    QVERIFY(local.contains(QLatin1String("file:///tmp/local.png")));
    QVERIFY(local.contains(QLatin1String("<p>https://text.stays</p>")));
    QCOMPARE(MessagePage::localOnly(QStringLiteral("纯文本")), QStringLiteral("纯文本"));
}

void tst_MessagePage::pageFunctionsRunInTheBrowser()
{
    const QString root = m_env.root() + QStringLiteral("/browser");
    QVERIFY(MessagePage::install(root, nullptr));
    QWebEnginePage page;
    QSignalSpy loaded(&page, &QWebEnginePage::loadFinished);
    page.load(QUrl::fromLocalFile(root + QStringLiteral("/index/msgRecordIndex.html")));
    QTRY_COMPARE_WITH_TIMEOUT(loaded.size(), 1, 15000);
    QVERIFY(loaded.first().first().toBool());

    QVariant result;
    bool done = false;
    page.runJavaScript(QStringLiteral(R"JS(
        (function () {
            try {
                window.messageObject = { strNewLine: '<span id="one">你好</span><img data-fileid="f1" src="">' };
                fnAppendMessage();
                window.messageObject.strNewLine = '<span id="two">second</span>';
                fnAppendMessage();
                var img = document.querySelector('img[data-fileid="f1"]');
                resizeImg(img);
                downPicFailed('pic', 'f1');
                var broken = img.classList.contains('broken');
                fnFreshPicture('f1', 'pic', '/tmp/p.png');
                replaceErrImg(img);
                errorPic(img);
                var shown = [document.getElementById('messages').children.length,
                             document.getElementById('one').textContent, broken,
                             img.src.indexOf('file:///') === 0];
                // The viewer's clear: ours, or its fallback that empties the whole body.
                fnClearMessages();
                shown.push(document.getElementById('messages').children.length);
                document.body.innerHTML = '';
                fnAppendMessage();
                shown.push(document.getElementById('messages').children.length);
                return shown.join('|');
            } catch (e) { return 'error: ' + e; }
        })())JS"),
                       [&](const QVariant &value) {
                           result = value;
                           done = true;
                       });
    QTRY_VERIFY_WITH_TIMEOUT(done, 10000);
    QCOMPARE(result.toString(), QStringLiteral("2|你好|true|true|0|1"));
}

QTEST_MAIN(tst_MessagePage)
#include "tst_MessagePage.moc"
