#include "LogCapture.h"
#include "TestEnvironment.h"
#include "common/CommonFun.h"

#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStorageInfo>
#include <QtTest>

class tst_CommonFun : public QObject
{
    Q_OBJECT
private slots:
    void autoIncrementStartsAtZeroAndCounts();
    void guidTextFormat();
    void uniqueIdFormat();
    void diskSpaceOfARealFolder();
    void diskSpaceOfAMissingFolder();
    void textWeightCountsCommonHanzi();
    void quoteSqlKeepsQuotesInside();
};

void tst_CommonFun::autoIncrementStartsAtZeroAndCounts()
{
    QCOMPARE(CommonFun::getAutoIncrementNumber(), QStringLiteral("0"));
    QCOMPARE(CommonFun::getAutoIncrementNumber(), QStringLiteral("1"));
    QCOMPARE(CommonFun::getAutoIncrementNumber(), QStringLiteral("2"));
}

void tst_CommonFun::guidTextFormat()
{
    const QRegularExpression format(QStringLiteral("^[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}$"));
    QSet<QString> seen;
    for (int i = 0; i < 1000; ++i) {
        const QString guid = CommonFun::createGuidText();
        QVERIFY2(format.match(guid).hasMatch(), qPrintable(guid));
        seen.insert(guid);
    }
    QCOMPARE(seen.size(), 1000);
}

void tst_CommonFun::uniqueIdFormat()
{
    const QRegularExpression format(QStringLiteral("^[0-9a-f]{32}$"));
    const QString first = CommonFun::createUniqueId();
    QVERIFY2(format.match(first).hasMatch(), qPrintable(first));
    QVERIFY(CommonFun::createUniqueId() != first);
}

void tst_CommonFun::diskSpaceOfARealFolder()
{
    TestEnvironment env;
    const QString folder = env.home();
    const quint64 bytes = CommonFun::diskFreeBytes(folder);
    QVERIFY(bytes > 0);
    // QStorageInfo finds the volume through the mount table, which a chroot may lack.
    const qint64 reference = QStorageInfo(folder).bytesAvailable();
    if (reference > 0) {
        // Another process may write meanwhile; the volume's figure must still be close.
        QVERIFY2(qAbs(qint64(bytes) - reference) < 256 * 1024 * 1024,
                 qPrintable(QStringLiteral("%1 vs %2").arg(bytes).arg(reference)));
    }
    // A file that does not exist yet lies on its folder's volume.
    QVERIFY(CommonFun::diskFreeBytes(folder + QStringLiteral("/data.db")) > 0);
    const quint64 megabytes = CommonFun::diskFreeMegabytes(folder);
    QVERIFY(qAbs(qint64(megabytes) - qint64(bytes >> 20)) < 256);
}

void tst_CommonFun::diskSpaceOfAMissingFolder()
{
    TestEnvironment env;
    const QString missing = env.root() + QStringLiteral("/gone/deeper/data.db");
    LogCapture log;
    QCOMPARE(CommonFun::diskFreeBytes(missing), quint64(0));
    QVERIFY(log.contains(env.root() + QStringLiteral("/gone/deeper")));
    QCOMPARE(CommonFun::diskFreeMegabytes(missing), quint64(20000));
    QCOMPARE(CommonFun::diskFreeBytes(QString()), quint64(0));
    QCOMPARE(CommonFun::diskFreeMegabytes(QString()), quint64(20000));
}

void tst_CommonFun::textWeightCountsCommonHanzi()
{
    QCOMPARE(CommonFun::textWeight(QString()), 0);
    QCOMPARE(CommonFun::textWeight(QStringLiteral("abc 1")), 5);
    QCOMPARE(CommonFun::textWeight(QStringLiteral("一龥")), 4);            // U+4E00 and U+9FA5, both ends
    QCOMPARE(CommonFun::textWeight(QStringLiteral("〇鿦，")), 3);          // outside the range: 1 each
    QCOMPARE(CommonFun::textWeight(QString(200, QChar(0x4E2D))), 400);
    QCOMPARE(CommonFun::textWeight(QStringLiteral("😀")), 1);              // one character, two UTF-16 units
}

void tst_CommonFun::quoteSqlKeepsQuotesInside()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("quote"));
    db.setDatabaseName(QStringLiteral(":memory:"));
    QVERIFY(db.open());
    {
        QSqlQuery query(db);
        for (const QString &value : {QString(), QStringLiteral("abc"), QStringLiteral("it's"),
                                     QStringLiteral("''"), QStringLiteral("x'); DROP TABLE t; --"),
                                     QStringLiteral("张三 \\ \"q\"")}) {
            QVERIFY2(query.exec(QStringLiteral("SELECT ") + CommonFun::quoteSql(value)),
                     qPrintable(query.lastError().text()));
            QVERIFY(query.next());
            QCOMPARE(query.value(0).toString(), value);
        }
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("quote"));
}

QTEST_MAIN(tst_CommonFun)
#include "tst_CommonFun.moc"
