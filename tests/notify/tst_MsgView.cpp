// test-flags: WEBENGINE
#include "LogCapture.h"
#include "TestEnvironment.h"
#include "notify/MsgObj.h"
#include "notify/MsgTemplates.h"
#include "notify/MsgView.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The page's answer to a script, waited for without blocking the engine.
QVariant evaluate(MsgView &view, const QString &script)
{
    QVariant result;
    bool done = false;
    view.runScript(script, [&](const QVariant &v) {
        result = v;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        qWarning("script did not answer: %s", qPrintable(script));
    return result;
}

} // namespace

class tst_MsgView : public QObject
{
    Q_OBJECT

private slots:
    void fixturePageRoundTrip()
    {
        const QString page = TestEnvironment::fixtureDir() + QStringLiteral("/msgRecordIndex.html");
        QVERIFY(QFileInfo::exists(page));
        QTemporaryDir user;
        QDir().mkpath(user.path() + QStringLiteral("/picRec"));
        const QString inside = user.path() + QStringLiteral("/picRec/a.png");
        QFile(inside).open(QIODevice::WriteOnly);

        MsgView view;
        view.bridge()->setUserFolder(user.path());
        view.resize(400, 300);
        view.show();
        QSignalSpy ready(&view, &MsgView::pageReady);
        view.load(QUrl::fromLocalFile(page));
        // Fragments given before the page is ready wait, in order.
        const QStringList fragments{QStringLiteral("<p>one \"quoted\" \\ </p>"), QStringLiteral("<p>二</p>"),
                                    QStringLiteral("<p>three</script>\n</p>")};
        for (const QString &f : fragments)
            view.appendFragment(f);
        view.load(QUrl::fromLocalFile(page)); // no second load
        QVERIFY(ready.wait(15000));
        QCOMPARE(ready.size(), 1);
        QCOMPARE(evaluate(view, QStringLiteral("window.appended")).toStringList(), fragments);
        QCOMPARE(evaluate(view, QStringLiteral("document.querySelectorAll('#messages p').length")).toInt(), 3);

        // A hostile picture name arrives as one plain argument.
        const QString hostile = QStringLiteral("x\"); window.hacked = 1; (\"");
        view.runScript(MsgTemplates::scriptCall(QStringLiteral("fnFreshPicture"),
                                                {QStringLiteral("f1"), hostile, inside}));
        QCOMPARE(evaluate(view, QStringLiteral("window.pictureCalls[0]")).toStringList(),
                 (QStringList{QStringLiteral("fresh"), QStringLiteral("f1"), hostile, inside}));
        QVERIFY(!evaluate(view, QStringLiteral("window.hacked === 1")).toBool());

        // The page calls back through the bridge; paths outside the user's folder are ignored.
        MsgObj *bridge = view.bridge();
        QSignalSpy images(bridge, &MsgObj::signal_showImage);
        QSignalSpy pictures(bridge, &MsgObj::signal_downLoadpic);
        QSignalSpy cards(bridge, &MsgObj::signal_showVcard);
        LogCapture log;
        view.runScript(QStringLiteral("messageObject.slot_showImage('/etc/passwd');"
                                      "messageObject.slot_showImage(%1);"
                                      "messageObject.slot_downLoadpic('../x.png', 'f0');"
                                      "messageObject.slot_downLoadpic('p.png', 'f2');"
                                      "messageObject.slot_showVcard('bob@x');")
                           .arg(MsgTemplates::scriptCall(QString(), {QUrl::fromLocalFile(inside).toString()}).mid(1).chopped(1)));
        QTRY_COMPARE_WITH_TIMEOUT(cards.size(), 1, 10000);
        QCOMPARE(images.size(), 1);
        QCOMPARE(images.at(0).at(0).toString(), QFileInfo(inside).canonicalFilePath());
        QCOMPARE(pictures.size(), 1);
        QCOMPARE(pictures.at(0), (QList<QVariant>{QStringLiteral("p.png"), QStringLiteral("f2")}));
        QCOMPARE(cards.at(0).at(0).toString(), QStringLiteral("bob@x"));

        // A clicked link goes to the shell, the page stays.
        QSignalSpy links(&view, &MsgView::linkClicked);
        view.runScript(QStringLiteral("var a = document.createElement('a'); a.href = 'https://a.example/x';"
                                      "document.body.appendChild(a); a.click();"));
        QTRY_COMPARE_WITH_TIMEOUT(links.size(), 1, 10000);
        QCOMPARE(links.at(0).at(0).toUrl(), QUrl(QStringLiteral("https://a.example/x")));
        QCOMPARE(evaluate(view, QStringLiteral("window.appended.length")).toInt(), 3);
    }
};

QTEST_MAIN(tst_MsgView)
#include "tst_MsgView.moc"
