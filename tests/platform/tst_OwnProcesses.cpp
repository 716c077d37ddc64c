#include "platform/OwnProcesses.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

class tst_OwnProcesses : public QObject
{
    Q_OBJECT
private slots:
    void endsOnlyOurPlayerAndItsChildren();
    void unreadableProcessTable();

private:
    static bool alive(qint64 pid)
    {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            return false;
        const QByteArray line = stat.readAll();
        return line.mid(line.lastIndexOf(')') + 2, 1) != "Z";
    }
};

void tst_OwnProcesses::endsOnlyOurPlayerAndItsChildren()
{
    // A script reached through a link named "mplayer" runs under that command name;
    // it starts a child of its own and reports that child's id.
    QTemporaryDir dir;
    const QString script = dir.filePath(QStringLiteral("player.sh"));
    QFile file(script);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\nsleep 120 &\necho $! > \"$1\"\nwait\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString player = dir.filePath(QStringLiteral("mplayer"));
    QVERIFY(QFile::link(script, player));

    QProcess ours;
    ours.start(player, {dir.filePath(QStringLiteral("ours.pid"))});
    QVERIFY(ours.waitForStarted());
    qint64 foreign = 0;
    QVERIFY(QProcess::startDetached(player, {dir.filePath(QStringLiteral("foreign.pid"))}, dir.path(),
                                    &foreign));
    auto childOf = [&](const QString &name) {
        QFile pidFile(dir.filePath(name));
        return pidFile.open(QIODevice::ReadOnly) ? pidFile.readAll().trimmed().toLongLong() : 0;
    };
    QTRY_VERIFY(childOf(QStringLiteral("ours.pid")) > 0 && childOf(QStringLiteral("foreign.pid")) > 0);
    const qint64 grandchild = childOf(QStringLiteral("ours.pid"));

    const OwnProcesses::Result result = OwnProcesses::endNamed(QStringLiteral("mplayer"));
    QVERIFY(result.ok);
    QVERIFY(result.ended.contains(ours.processId()));
    QVERIFY(result.ended.contains(grandchild));
    QVERIFY(!result.ended.contains(foreign));
    QVERIFY(ours.waitForFinished(5000));
    QTRY_VERIFY(!alive(grandchild));
    QVERIFY(alive(foreign));

    ::kill(pid_t(foreign), SIGKILL);
    ::kill(pid_t(childOf(QStringLiteral("foreign.pid"))), SIGKILL);
}

void tst_OwnProcesses::unreadableProcessTable()
{
    QTemporaryDir dir;
    for (const QString &root : {dir.filePath(QStringLiteral("none")), dir.path()}) {
        const OwnProcesses::Result result = OwnProcesses::endNamed(QStringLiteral("mplayer"), root);
        QVERIFY(!result.ok);
        QCOMPARE(result.error, QStringLiteral("查询进程失败！"));
    }
}

QTEST_GUILESS_MAIN(tst_OwnProcesses)
#include "tst_OwnProcesses.moc"
