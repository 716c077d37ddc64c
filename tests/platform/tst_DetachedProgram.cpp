#include "platform/DetachedProgram.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class tst_DetachedProgram : public QObject
{
    Q_OBJECT
private slots:
    void refusedWithAReason();
    void startsWithItsArguments();
};

void tst_DetachedProgram::refusedWithAReason()
{
    QTemporaryDir dir;
    QString error;
    const QString missing = dir.filePath(QStringLiteral("DataBaseRepari"));
    QVERIFY(!DetachedProgram::start(missing, {}, &error));
    QVERIFY2(error.contains(missing) && error.contains(QStringLiteral("missing")), qPrintable(error));

    // A bare name would run whatever the working directory or PATH holds.
    QVERIFY(!DetachedProgram::start(QStringLiteral("sh"), {}, &error));
    QVERIFY2(error.contains(QStringLiteral("not absolute")), qPrintable(error));

    const QString plain = dir.filePath(QStringLiteral("notes.txt"));
    QFile file(plain);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(!DetachedProgram::start(plain, {}, &error));
    QVERIFY2(error.contains(QStringLiteral("not an executable")), qPrintable(error));
    QVERIFY(!DetachedProgram::start(dir.path(), {}, &error));
}

void tst_DetachedProgram::startsWithItsArguments()
{
    QTemporaryDir dir;
    const QString script = dir.filePath(QStringLiteral("repair"));
    QFile file(script);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\necho \"$1|$(pwd)\" > \"$0.out\"\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QString error = QStringLiteral("stale");
    QVERIFY(DetachedProgram::start(script, {QStringLiteral("datapath:/x y")}, &error));
    QVERIFY(error.isEmpty());
    const auto written = [&] {
        QFile out(script + QStringLiteral(".out"));
        return out.open(QIODevice::ReadOnly) ? out.readAll() : QByteArray();
    };
    QTRY_VERIFY(written().endsWith('\n'));
    QCOMPARE(written().trimmed(), ("datapath:/x y|" + QDir(dir.path()).canonicalPath()).toUtf8());
}

QTEST_GUILESS_MAIN(tst_DetachedProgram)
#include "tst_DetachedProgram.moc"
