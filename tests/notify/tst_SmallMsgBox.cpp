#include "NotifyBus.h"
#include "TestEnvironment.h"
#include "notify/SmallMsgBox.h"
#include "notify/SystemTrayManager.h"

#include <lumio/Commands.h>
#include <lumio/Records.h>

#include <QStandardItemModel>
#include <QtTest>

class tst_SmallMsgBox : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void eleventhSenderWaitsAndComesBack();
    void overflowSenderReturnsWithoutDisplacing();
    void countZeroRemovesRow();
    void titleForOneAndMoreSenders();
    void publicAccountsSurviveStopFlashing();

private:
    static QString jid(int n) { return QStringLiteral("u%1@x").arg(n); }
    SmallMsgBox *box() { return SmallMsgBox::instance(); }

    TestEnvironment m_env;
    std::unique_ptr<NotifyBus> m_bus;
    BusParty *m_chat = nullptr;
    BusParty *m_card = nullptr;
    QHash<QString, int> m_unread;
    VcardInfo m_contact;
    GroupRecord m_group;
    PublicAccountRecord m_public;
};

void tst_SmallMsgBox::init()
{
    m_bus = std::make_unique<NotifyBus>();
    m_unread.clear();
    m_chat = m_bus->party(Address::Chat);
    m_chat->answer = [this](int command, const QByteArray &payload) {
        if (command == Command::RemainingUnreadCount)
            return NotifyBus::value(qint32(m_unread.value(NotifyBus::firstString(payload), 3)));
        return QByteArray();
    };
    m_contact = VcardInfo();
    m_contact.jid = QStringLiteral("zq1001@x");
    m_contact.remarkName = QStringLiteral("张小明");
    m_card = m_bus->party(Address::ContactCard);
    m_card->answer = [this](int command, const QByteArray &payload) {
        const QString who = NotifyBus::firstString(payload);
        if (command == Command::KnowsContact)
            return NotifyBus::value(who == m_contact.jid);
        if (command == Command::ContactCard && who == m_contact.jid)
            return addressOf(&m_contact);
        if (command == Command::IsPublicAccount)
            return NotifyBus::value(who.startsWith(QStringLiteral("pub")));
        if (command == Command::PublicAccount)
            return addressOf(&m_public);
        return QByteArray();
    };
    m_group.name = QStringLiteral("项目组");
    m_public.name = QStringLiteral("公司新闻");
    BusParty *groups = m_bus->party(Address::GroupChat);
    groups->answer = [this](int command, const QByteArray &) {
        return command == Command::Group ? addressOf(&m_group) : QByteArray();
    };
    box()->removeAll();
}

void tst_SmallMsgBox::cleanup()
{
    box()->removeAll();
    m_bus.reset();
}

void tst_SmallMsgBox::eleventhSenderWaitsAndComesBack()
{
    for (int n = 1; n <= 12; ++n)
        box()->setdata(jid(n), QStringLiteral("10:%1").arg(n), 0);
    // The two oldest rows went out of sight, most recently displaced first.
    QCOMPARE(box()->model()->rowCount(), SmallMsgBox::MaxVisible);
    QCOMPARE(box()->visibleJids().first(), jid(3));
    QCOMPARE(box()->visibleJids().last(), jid(12));
    QCOMPARE(box()->hiddenJids(), (QList<QString>{jid(2), jid(1)}));

    // A visible sender leaves: the most recently displaced comes back, with its time.
    box()->slot_handleDataAfterOpenDialog(jid(5));
    QCOMPARE(box()->model()->rowCount(), SmallMsgBox::MaxVisible);
    QCOMPARE(box()->visibleJids().last(), jid(2));
    QCOMPARE(box()->model()->item(9)->data(SmallMsgBox::TimeRole).toString(), QStringLiteral("10:2"));
    QCOMPARE(box()->hiddenJids(), QList<QString>{jid(1)});

    // Leaving from the overflow store moves nobody.
    box()->slot_handleDataAfterOpenDialog(jid(1));
    QVERIFY(box()->hiddenJids().isEmpty());
    QCOMPARE(box()->model()->rowCount(), SmallMsgBox::MaxVisible);
}

void tst_SmallMsgBox::overflowSenderReturnsWithoutDisplacing()
{
    for (int n = 1; n <= 11; ++n)
        box()->setdata(jid(n), QString(), 0);
    QCOMPARE(box()->hiddenJids(), QList<QString>{jid(1)});
    m_unread.insert(jid(1), 7);
    box()->setdata(jid(1), QStringLiteral("11:00"), 6);
    QCOMPARE(box()->model()->rowCount(), 11);
    QCOMPARE(box()->visibleJids().first(), jid(1));
    QVERIFY(box()->hiddenJids().isEmpty());
    const QStandardItem *back = box()->model()->item(0);
    QCOMPARE(back->data(SmallMsgBox::CountRole).toString(), QStringLiteral("(7)"));
    QCOMPARE(back->data(SmallMsgBox::SortRole).toString(), QStringLiteral("111:00"));
    QCOMPARE(back->data(SmallMsgBox::KindRole).toInt(), 6);

    // A repeat from a visible sender keeps its place.
    box()->setdata(jid(4), QString(), 0);
    QCOMPARE(box()->visibleJids().indexOf(jid(4)), 3);
}

void tst_SmallMsgBox::countZeroRemovesRow()
{
    box()->setdata(jid(1), QString(), 0);
    box()->setdata(jid(2), QString(), 0);
    m_unread.insert(jid(1), 1);
    box()->removeMsgByIdAndUpdate(jid(1), QStringLiteral("m1"));
    QCOMPARE(box()->model()->item(0)->data(SmallMsgBox::CountRole).toString(), QStringLiteral("(1)"));
    m_unread.insert(jid(1), 0);
    box()->removeMsgByIdAndUpdate(jid(1), QStringLiteral("m2"));
    QCOMPARE(box()->visibleJids(), QStringList{jid(2)});
    // The last row gone: the box hides and refuses to show empty.
    box()->showSmallMsgBox();
    QVERIFY(box()->isVisible());
    m_unread.insert(jid(2), 0);
    box()->removeMsgByIdAndUpdate(jid(2), QStringLiteral("m3"));
    QVERIFY(!box()->isVisible());
    box()->showSmallMsgBox();
    QVERIFY(!box()->isVisible());
}

void tst_SmallMsgBox::titleForOneAndMoreSenders()
{
    box()->setdata(m_contact.jid, QString(), 0);
    QCOMPARE(box()->title(), QStringLiteral("张小明"));
    QCOMPARE(box()->model()->item(0)->data(SmallMsgBox::NameRole).toString(), QStringLiteral("张小明(1001)"));
    box()->setdata(QStringLiteral("team@conference.x"), QString(), 3);
    QCOMPARE(box()->title(), QStringLiteral("消息盒子 (2)"));
    box()->slot_handleDataAfterOpenDialog(m_contact.jid);
    QCOMPARE(box()->title(), QStringLiteral("讨论组：项目组"));
    QVERIFY(box()->model()->item(0)->data(SmallMsgBox::GroupRole).toBool());
    box()->removeAll();
    box()->setdata(QStringLiteral("pub1@x"), QString(), 15);
    QCOMPARE(box()->title(), QStringLiteral("公众号：公司新闻"));
}

void tst_SmallMsgBox::publicAccountsSurviveStopFlashing()
{
    SystemTrayManager *tray = SystemTrayManager::instance();
    tray->shakeByMsg(jid(1), MessageData());
    tray->shakeByNotice(QStringLiteral("pub1@pa.x"), QString(), false);
    box()->slot_abortShakeExptPub();
    QCOMPARE(box()->visibleJids(), QStringList{"pub1@pa.x"});
    QCOMPARE(tray->shakeJids(), QList<QString>{"pub1@pa.x"});
    box()->slot_btnAbortShake();
    QVERIFY(tray->shakeJids().isEmpty());
    QCOMPARE(box()->model()->rowCount(), 0);
}

QTEST_MAIN(tst_SmallMsgBox)
#include "tst_SmallMsgBox.moc"
