// test-flags: ../plugins/contacts/ChatBackend.cpp ../plugins/contacts/SimulatorBackend.cpp LIBS lumio_pack_common
#include "../../plugins/contacts/SimulatorBackend.h"

#include <QSignalSpy>
#include <QtTest>

class tst_SimulatorBackend : public QObject
{
    Q_OBJECT
private slots:
    void backendIsChosenByName();
    void logInChecksAccountAndPassword();
    void logOutCancelsWhatIsUnderway();
    void colleaguesAnswerOnlyWhileConnected();
    void demoIntervalMakesTwoColleaguesWrite();
};

void tst_SimulatorBackend::backendIsChosenByName()
{
    for (const QString &name : {QString(), QStringLiteral("simulator"), QStringLiteral(" Simulator ")}) {
        std::unique_ptr<ChatBackend> backend(ChatBackend::create(name));
        QVERIFY2(dynamic_cast<SimulatorBackend *>(backend.get()), qPrintable(name));
    }
    QVERIFY(!ChatBackend::create(QStringLiteral("xmpp")));
}

void tst_SimulatorBackend::logInChecksAccountAndPassword()
{
    struct Case { const char *account; const char *password; bool trusted; bool ok; };
    const Case cases[] = {
        {"zhangsan", "demo", false, true},     {"ZhangSan", "demo", false, true},
        {"zhangsan", "Demo", false, false},    {"zhangsan", "", false, false},
        {"zhangsan", "", true, true},          {"nobody", "demo", false, false},
        {"nobody", "", true, false},           {"", "demo", false, false},
        {"zhangsan@lumio.test", "demo", false, true},
    };
    for (const Case &c : cases) {
        SimulatorBackend backend;
        QSignalSpy in(&backend, &ChatBackend::loggedIn);
        QSignalSpy refused(&backend, &ChatBackend::loginFailed);
        backend.logIn(QString::fromUtf8(c.account), QString::fromUtf8(c.password), c.trusted);
        QTRY_COMPARE(in.size() + refused.size(), 1);
        QCOMPARE(in.size(), c.ok ? 1 : 0);
        QCOMPARE(backend.isConnected(), c.ok);
        if (c.ok)
            QCOMPARE(in.first().first().toString(), QStringLiteral("zhangsan@lumio.test"));
    }
}

void tst_SimulatorBackend::logOutCancelsWhatIsUnderway()
{
    SimulatorBackend backend;
    backend.setReplyDelay(50, 50);
    QSignalSpy in(&backend, &ChatBackend::loggedIn);
    QSignalSpy gone(&backend, &ChatBackend::disconnected);
    backend.logIn(QStringLiteral("lisi"), QStringLiteral("demo"), false);
    backend.logOut();
    QTest::qWait(500);
    QCOMPARE(in.size(), 0);
    QCOMPARE(gone.size(), 0);
    QVERIFY(!backend.isConnected());

    backend.logIn(QStringLiteral("lisi"), QStringLiteral("demo"), false);
    QTRY_VERIFY(backend.isConnected());
    QSignalSpy messages(&backend, &ChatBackend::message);
    QVERIFY(!backend.sendMessage(QStringLiteral("wangwu@lumio.test"), QStringLiteral("在吗")).isEmpty());
    backend.logOut();
    QCOMPARE(gone.size(), 1);
    QTest::qWait(200);
    QCOMPARE(messages.size(), 0);
}

void tst_SimulatorBackend::colleaguesAnswerOnlyWhileConnected()
{
    SimulatorBackend backend;
    backend.setReplyDelay(10, 30);
    QSignalSpy messages(&backend, &ChatBackend::message);
    QVERIFY(backend.sendMessage(QStringLiteral("wangwu@lumio.test"), QStringLiteral("hi")).isEmpty());
    backend.simulate(ChatBackend::Demo::Message);
    QTest::qWait(100);
    QCOMPARE(messages.size(), 0);

    backend.logIn(QStringLiteral("zhangsan"), QString(), true);
    QTRY_VERIFY(backend.isConnected());
    QVERIFY(backend.sendMessage(QStringLiteral("nobody@lumio.test"), QStringLiteral("hi")).isEmpty());
    QVERIFY(backend.sendMessage(QStringLiteral("wangwu@lumio.test"), QStringLiteral("   ")).isEmpty());
    const QString first = backend.sendMessage(QStringLiteral("WangWu@lumio.test"), QStringLiteral("hi"));
    const QString second = backend.sendMessage(QStringLiteral("wangwu@lumio.test"), QStringLiteral("hi"));
    QVERIFY(!first.isEmpty() && first != second);
    QTRY_COMPARE(messages.size(), 2);
    for (const QList<QVariant> &m : messages) {
        QCOMPARE(m.at(1).toString(), QStringLiteral("wangwu@lumio.test"));
        QVERIFY(m.at(0).toString() != first && m.at(0).toString() != second);
        QVERIFY(!m.at(2).toString().isEmpty());
    }
}

void tst_SimulatorBackend::demoIntervalMakesTwoColleaguesWrite()
{
    qputenv("LUMIO_DEMO_INTERVAL", "1");
    SimulatorBackend backend;
    QSignalSpy messages(&backend, &ChatBackend::message);
    QSignalSpy files(&backend, &ChatBackend::fileOffered);
    backend.logIn(QStringLiteral("lisi"), QStringLiteral("demo"), false);
    QTRY_VERIFY_WITH_TIMEOUT(messages.size() >= 2 && files.size() >= 1, 6000);
    QSet<QString> senders;
    for (const QList<QVariant> &m : messages)
        senders.insert(m.at(1).toString());
    QCOMPARE(senders.size(), 2);
    QVERIFY(!senders.contains(QStringLiteral("lisi@lumio.test")));
    backend.logOut();
    const qsizetype seen = messages.size();
    QTest::qWait(1300);
    QCOMPARE(messages.size(), seen);

    qputenv("LUMIO_DEMO_INTERVAL", "soon");
    SimulatorBackend quiet;
    QSignalSpy none(&quiet, &ChatBackend::message);
    quiet.logIn(QStringLiteral("lisi"), QStringLiteral("demo"), false);
    QTRY_VERIFY(quiet.isConnected());
    QTest::qWait(1300);
    QCOMPARE(none.size(), 0);
    qunsetenv("LUMIO_DEMO_INTERVAL");
}

QTEST_MAIN(tst_SimulatorBackend)
#include "tst_SimulatorBackend.moc"
