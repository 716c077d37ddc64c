#include "TestEnvironment.h"
#include "LogCapture.h"
#include "ZipReader.h"
#include "log/upload/PackZip.h"

#include <QDir>
#include <QSignalSpy>
#include <QtTest>

class tst_PackZip : public QObject
{
    Q_OBJECT
private slots:
    void filesGoInByBareName();
    void missingFilesFailOrAreSkipped();
    void folderKeepsRelativePaths();
};

void tst_PackZip::filesGoInByBareName()
{
    TestEnvironment env;
    LogCapture log;
    const QString cwd = QDir::currentPath();
    QDir().mkpath(env.root() + "/a/b");
    // Larger than one copy block, with a non-ASCII name.
    QByteArray big(PackZip::BlockSize * 2 + 17, 'x');
    for (int i = 0; i < big.size(); i += 97)
        big[i] = char(i);
    QVERIFY(TestEnvironment::writeText(env.root() + "/a/b/日志.csv", big));
    QVERIFY(TestEnvironment::writeText(env.root() + "/a/Debug.log", "line\n"));
    QVERIFY(TestEnvironment::writeText(env.root() + "/out.zip", "stale"));

    PackZip zip;
    QSignalSpy ends(&zip, &PackZip::ZipEnd);
    QSignalSpy status(&zip, &PackZip::Status);
    QString error;
    QVERIFY2(zip.zipFiles({env.root() + "/a/b/日志.csv", env.root() + "/a/Debug.log"},
                          env.root() + "/out.zip", &error), qPrintable(error));
    const auto entries = ZipReader::entries(env.root() + "/out.zip");
    QCOMPARE(entries.keys(), QStringList({"Debug.log", "日志.csv"}));
    QCOMPARE(entries.value("日志.csv"), big);
    QCOMPARE(ends.size(), 1);
    QCOMPARE(status.last().at(0).toInt(), 100);
    QCOMPARE(QDir::currentPath(), cwd);

    // Same bare name twice would hide a file.
    QVERIFY(!zip.zipFiles({env.root() + "/a/Debug.log", env.root() + "/a/Debug.log"},
                          env.root() + "/dup.zip", &error));
    QVERIFY(!QFile::exists(env.root() + "/dup.zip"));
}

void tst_PackZip::missingFilesFailOrAreSkipped()
{
    TestEnvironment env;
    LogCapture log;
    QVERIFY(TestEnvironment::writeText(env.root() + "/here.txt", "x"));
    PackZip zip;
    QSignalSpy errors(&zip, &PackZip::ZipError);
    QString error;
    QVERIFY(!zip.zipFiles({env.root() + "/here.txt", env.root() + "/gone.txt"}, env.root() + "/o.zip", &error));
    QVERIFY(error.contains("gone.txt"));
    QCOMPARE(errors.size(), 1);
    QVERIFY(!QFile::exists(env.root() + "/o.zip"));

    QStringList skipped;
    QVERIFY(zip.zipFiles({env.root() + "/gone.txt", env.root() + "/here.txt"}, env.root() + "/o.zip", &error,
                         PackZip::Missing::Skip, &skipped));
    QCOMPARE(skipped, QStringList(env.root() + "/gone.txt"));
    QCOMPARE(ZipReader::entries(env.root() + "/o.zip").keys(), QStringList("here.txt"));

    // An archive in a folder that does not exist: failure, nothing reported as done.
    QVERIFY(!zip.zipFiles({env.root() + "/here.txt"}, env.root() + "/no/such/o.zip", &error));
    QCOMPARE(errors.size(), 2);
}

void tst_PackZip::folderKeepsRelativePaths()
{
    TestEnvironment env;
    LogCapture log;
    QDir().mkpath(env.root() + "/logs/sub");
    QVERIFY(TestEnvironment::writeText(env.root() + "/logs/top.txt", "1"));
    QVERIFY(TestEnvironment::writeText(env.root() + "/logs/sub/inner.txt", "2"));
    PackZip zip;
    QString error;
    QVERIFY2(zip.zipFolder(env.root() + "/logs", QString(), &error), qPrintable(error));
    QCOMPARE(zip.archivePath(), env.root() + "/logs.zip");
    QCOMPARE(ZipReader::entries(env.root() + "/logs.zip").keys(), QStringList({"sub/inner.txt", "top.txt"}));
    // Packed into a file inside the folder itself: the archive is not its own entry.
    QVERIFY(zip.zipFolder(env.root() + "/logs", env.root() + "/logs/self.zip", &error));
    QCOMPARE(ZipReader::entries(env.root() + "/logs/self.zip").size(), 2);
    QVERIFY(!zip.zipFolder(env.root() + "/none", QString(), &error));
}

QTEST_GUILESS_MAIN(tst_PackZip)
#include "tst_PackZip.moc"
