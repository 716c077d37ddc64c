#include "LogCapture.h"
#include "notify/MsgLinkOpener.h"

#include <QTemporaryDir>
#include <QtTest>

class tst_MsgLinkOpener : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_opened.clear();
        MsgLinkOpener::setUrlHandler([this](const QUrl &url) {
            m_opened.append(url);
            return true;
        });
    }
    void cleanupTestCase() { MsgLinkOpener::setUrlHandler({}); }

    void links_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("opened");
        QTest::newRow("marked http") << "web://urllink//http://a.example/x?y=1" << "http://a.example/x?y=1";
        QTest::newRow("plain https") << "https://a.example/" << "https://a.example/";
        QTest::newRow("ftp") << "web://urllink//ftp://files.example/a" << "ftp://files.example/a";
        QTest::newRow("www") << "web://urllink//www.example.com/p" << "http://www.example.com/p";
        QTest::newRow("file") << "web://urllink//file:///etc/passwd" << "";
        QTest::newRow("plain file") << "file:///etc/passwd" << "";
        QTest::newRow("javascript") << "web://urllink//javascript:alert(1)" << "";
        QTest::newRow("plain javascript") << "javascript:alert(1)" << "";
        QTest::newRow("video") << "video://urllink//http://a.example/v.mp4" << "";
        QTest::newRow("dir up") << "dir://urllink//%2Ftmp%2F%2e%2e%2Fetc" << "";
        QTest::newRow("dir command") << "dir://urllink//%2Ftmp%20%26%20rm%20-rf%20%2F" << "";
        QTest::newRow("dir relative") << "dir://urllink//tmp" << "";
    }

    void links()
    {
        QFETCH(QString, link);
        QFETCH(QString, opened);
        LogCapture log;
        const bool handed = MsgLinkOpener::open(link);
        QCOMPARE(handed, !opened.isEmpty());
        if (opened.isEmpty())
            QVERIFY(m_opened.isEmpty());
        else
            QCOMPARE(m_opened, QList<QUrl>{QUrl(opened)});
    }

    void existingFolderOpensAsLocalFile()
    {
        QTemporaryDir dir;
        const QString encoded = QString::fromUtf8(QUrl::toPercentEncoding(dir.path() + QStringLiteral("/")));
        QVERIFY(MsgLinkOpener::open(QStringLiteral("dir://urllink//") + encoded));
        QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(dir.path())});
    }

private:
    QList<QUrl> m_opened;
};

QTEST_MAIN(tst_MsgLinkOpener)
#include "tst_MsgLinkOpener.moc"
