#include "bus/MainSignalSender.h"

#include <QtTest>

class MapListener : public QObject
{
    Q_OBJECT
public:
    QMap<QString, QStringList> labelIds;
    QMap<QString, QString> labels;
    int calls = 0;

public slots:
    void unconfirmed(const QMap<QString, QStringList> &ids, const QMap<QString, QString> &names)
    {
        labelIds = ids;
        labels = names;
        ++calls;
    }
};

class tst_MainSignalSender : public QObject
{
    Q_OBJECT
private slots:
    void loginChoosesBetweenTwoSignals();
    void disconnectTellsTheWindowBeforeTheTray();
    void mapsQueueToListenersConnectedBySignature();
};

void tst_MainSignalSender::loginChoosesBetweenTwoSignals()
{
    MainSignalSender sender;
    QSignalSpy login(&sender, &MainSignalSender::signal_login);
    QSignalSpy logout(&sender, &MainSignalSender::signal_logout);

    sender.login(true);
    QCOMPARE(login.count(), 1);
    QCOMPARE(logout.count(), 0);

    sender.login(false);
    sender.login(false);
    QCOMPARE(login.count(), 1);
    QCOMPARE(logout.count(), 2);
}

void tst_MainSignalSender::disconnectTellsTheWindowBeforeTheTray()
{
    MainSignalSender sender;
    QStringList order;
    connect(&sender, &MainSignalSender::signal_disConnectNet, this, [&order](bool flag) {
        order << (flag ? QStringLiteral("net:true") : QStringLiteral("net:false"));
    });
    connect(&sender, &MainSignalSender::signal_disConnectNetForSys, this,
            [&order] { order << QStringLiteral("sys"); });
    QSignalSpy net(&sender, &MainSignalSender::signal_disConnectNet);

    sender.disconnectNet(false);
    sender.disconnectNet(true);
    QCOMPARE(order, (QStringList{QStringLiteral("net:false"), QStringLiteral("sys"),
                                 QStringLiteral("net:true"), QStringLiteral("sys")}));
    QCOMPARE(net.count(), 2);
    QCOMPARE(net.at(0).at(0).toBool(), false);
    QCOMPARE(net.at(1).at(0).toBool(), true);
}

void tst_MainSignalSender::mapsQueueToListenersConnectedBySignature()
{
    MainSignalSender sender;
    MapListener listener;
    QVERIFY(connect(&sender, SIGNAL(signal_MyUnconfirmedResultReceived(
                                 QMap<QString,QStringList>,QMap<QString,QString>)),
                    &listener, SLOT(unconfirmed(QMap<QString,QStringList>,QMap<QString,QString>)),
                    Qt::QueuedConnection));

    const QMap<QString, QStringList> ids{
        {QStringLiteral("a@lumio"), {QStringLiteral("k1"), QStringLiteral("k2")}}};
    const QMap<QString, QString> names{{QStringLiteral("k1"), QStringLiteral("同学")}};
    sender.emitMyUnconfirmedResultReceived(ids, names);
    QCOMPARE(listener.calls, 0);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(listener.calls, 1);
    QCOMPARE(listener.labelIds, ids);
    QCOMPARE(listener.labels, names);
}

QTEST_MAIN(tst_MainSignalSender)
#include "tst_MainSignalSender.moc"
