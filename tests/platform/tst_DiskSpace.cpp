#include "platform/DiskSpace.h"

#include <QTemporaryDir>
#include <QtTest>

class tst_DiskSpace : public QObject
{
    Q_OBJECT
private slots:
    void failureIsReportedNotZero();
};

void tst_DiskSpace::failureIsReportedNotZero()
{
    QTemporaryDir dir;
    const DiskSpace::Result here = DiskSpace::query(dir.path());
    QVERIFY(here.ok);
    QVERIFY(here.error.isEmpty());
    QVERIFY(here.totalBytes >= here.freeBytes && here.freeBytes >= here.availableBytes);

    // A missing folder is an error the caller sees, never "0 MB free" (which would
    // raise the full-disk warning) and never a made-up figure.
    const QString missing = dir.path() + QStringLiteral("/gone/away");
    const DiskSpace::Result none = DiskSpace::query(missing);
    QVERIFY(!none.ok);
    QVERIFY2(none.error.contains(missing), qPrintable(none.error));
    QVERIFY(!DiskSpace::query(QString()).ok);
}

QTEST_GUILESS_MAIN(tst_DiskSpace)
#include "tst_DiskSpace.moc"
