#include "ChatBusDouble.h"
#include "LogCapture.h"
#include "TestEnvironment.h"
#include "bus/MainSignalSender.h"
#include "common/ResourcePath.h"
#include "notify/MsgBox.h"
#include "notify/MsgBoxData.h"

#include <QImage>
#include <QPushButton>
#include <QStandardItemModel>
#include <QtTest>

namespace {

MessageData message(const QString &from, const QString &id, const QString &body,
                    const QString &time = QStringLiteral("2026-03-04 10:20:30"))
{
    MessageData m;
    m.fromJid = from;
    m.messageId = id;
    m.body = body;
    m.text = body;
    m.time = time;
    return m;
}

int appends(const MsgBox &box)
{
    int n = 0;
    for (const QString &s : box.view()->recordedScripts())
        n += s.contains(QLatin1String("fnAppendMessage()"));
    return n;
}

} // namespace

class tst_MsgBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ResourcePath::setBaseDir(TestEnvironment::binDir()); }
    void init()
    {
        m_env.reset(new TestEnvironment);
        m_bus.reset(new ChatBusDouble);
        m_box.reset(new MsgBox(MsgView::Engine::Recording));
        m_box->setUserFolder(m_env->home());
    }
    void cleanup()
    {
        m_box.reset();
        m_bus.reset();
        m_env.reset();
    }

    void showGroupsBySenderWithRoles()
    {
        const QString a = QStringLiteral("alice@x"), g = QStringLiteral("team@conference.x");
        MessageData withFile = message(a, QStringLiteral("2"), QStringLiteral("季度报告已上传"));
        withFile.strings11[5] = QStringLiteral("report.pdf");
        m_bus->unread.insert(a, {message(a, QStringLiteral("1"), QStringLiteral("first")), withFile});
        m_bus->unread.insert(g, {message(g, QStringLiteral("3"), QStringLiteral("hi all"))});
        m_bus->cards.insert(a, VcardInfo{a, {}, QStringLiteral("Alice"), QStringLiteral("小爱"), QStringLiteral("/h/a.png")});
        m_bus->groups.insert(g, GroupRecord{g, QStringLiteral("项目组"), {}});
        QSignalSpy counts(m_box.get(), &MsgBox::signal_msgcount);

        m_box->showMsgBox();

        QStandardItemModel *model = m_box->frdModel();
        QCOMPARE(model->rowCount(), 2);
        const QStandardItem *first = model->item(0);
        QCOMPARE(first->data(MsgBoxRole::Jid).toString(), a);
        QCOMPARE(first->data(MsgBoxRole::Name).toString(), QStringLiteral("小爱"));
        QCOMPARE(first->data(MsgBoxRole::HeadImage).toString(), QStringLiteral("/h/a.png"));
        QCOMPARE(first->data(MsgBoxRole::Count).toInt(), 2);
        QCOMPARE(first->data(MsgBoxRole::Preview).toString(), QStringLiteral("季度报告已上传"));
        QCOMPARE(first->data(MsgBoxRole::Attachment).toString(), QStringLiteral("report.pdf"));
        QVERIFY(!first->data(MsgBoxRole::Time).toString().isEmpty());
        const QStandardItem *group = model->item(1);
        QCOMPARE(group->data(MsgBoxRole::Name).toString(), QStringLiteral("项目组"));
        QVERIFY(group->data(MsgBoxRole::HeadImage).toString().contains(QLatin1String("kora_muchead_min")));
        QVERIFY(!group->data(MsgBoxRole::Attachment).isValid());
        QCOMPARE(counts.last().at(0).toInt(), 2);
        // The first sender is shown, oldest message first.
        QCOMPARE(m_box->currentJid(), a);
        QCOMPARE(appends(*m_box), 2);
        const QString all = m_box->view()->recordedScripts().join(QLatin1Char('\n'));
        QVERIFY(all.indexOf(QLatin1String("first")) < all.indexOf(QStringLiteral("季度报告")));
        QCOMPARE(m_bus->requestsOf(Command::OwnAccount).size(), 1);

        // A second show replaces the map and keeps one row per sender.
        m_bus->unread[a].removeFirst();
        m_box->showMsgBox();
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->item(0)->data(MsgBoxRole::Count).toInt(), 1);
        // A sender read elsewhere meanwhile loses its row.
        m_bus->unread.remove(g);
        m_box->showMsgBox();
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(model->item(0)->data(MsgBoxRole::Jid).toString(), a);
    }

    void emptyMapAndMissingPlugin()
    {
        m_bus->answerUnread = false;
        LogCapture log;
        m_box->showMsgBox();
        QCOMPARE(m_box->frdModel()->rowCount(), 0);
        QVERIFY(m_box->showsEmptyMessages());
        QVERIFY(m_box->isVisible());
    }

    void timeTexts()
    {
        const QDateTime now(QDate(2026, 3, 4), QTime(15, 0));
        QCOMPARE(MsgBoxData::formatTime(QStringLiteral("2026-03-04 08:05:09"), now), QStringLiteral("08:05"));
        QCOMPARE(MsgBoxData::formatTime(QStringLiteral("2026-03-04 08:05:09.123"), now), QStringLiteral("08:05"));
        QCOMPARE(MsgBoxData::formatTime(QStringLiteral("2026-03-03 23:59:59"), now), QStringLiteral("昨天"));
        QCOMPARE(MsgBoxData::formatTime(QStringLiteral("2026-03-02 00:00:00"), now), QStringLiteral("03-02"));
        QCOMPARE(MsgBoxData::formatTime(QStringLiteral("2025-12-31 22:00:00"), now), QStringLiteral("25-12-31"));
        // New Year's Day: yesterday is last year, so the date wins.
        QCOMPARE(MsgBoxData::formatTime(QStringLiteral("2025-12-31 22:00:00"),
                                        QDateTime(QDate(2026, 1, 1), QTime(9, 0))),
                 QStringLiteral("25-12-31"));
        QCOMPARE(MsgBoxData::formatTime(QStringLiteral("garbage"), now), QString());
    }

    void previewCut()
    {
        QCOMPARE(MsgBoxData::previewOf(QStringLiteral("0123456789")), QStringLiteral("0123456789"));
        QCOMPARE(MsgBoxData::previewOf(QStringLiteral("0123456789A")), QStringLiteral("0123456789..."));
        // A pair straddling the cut is not split.
        const QString emoji = QStringLiteral("012345678") + QString::fromUtf8("\xF0\x9F\x98\x80") + QStringLiteral("x");
        QCOMPARE(MsgBoxData::previewOf(emoji), QStringLiteral("012345678..."));
    }

    void ignoreAndOpenSendOneCommandPerSenderInArrivalOrder()
    {
        for (const char *jid : {"c@x", "a@x", "b@x", "a@x"})
            m_box->addMessageToBox(message(QString::fromLatin1(jid), QStringLiteral("m"), QStringLiteral("t")), QString());
        QCOMPARE(m_box->jidList(), (QList<QString>{QStringLiteral("c@x"), QStringLiteral("a@x"), QStringLiteral("b@x")}));
        m_box->slot_IgnoreAllUnreadMsgs();
        m_box->slot_OpenAllChatDialog();
        const QList<QPair<bool, QString>> expected{
            {false, QStringLiteral("c@x")}, {false, QStringLiteral("a@x")}, {false, QStringLiteral("b@x")},
            {true, QStringLiteral("c@x")}, {true, QStringLiteral("a@x")}, {true, QStringLiteral("b@x")}};
        QCOMPARE(m_bus->opened(), expected);
        QCOMPARE(m_box->jidList().size(), 3); // nothing removed until the plug-in reports

        // One sender: the current row's JID; without a current row nothing is sent.
        m_bus->requests.clear();
        m_box->slot_IgnoreMsg();
        m_box->slot_OpenChatDialog();
        QVERIFY(m_bus->opened().isEmpty());
        m_bus->unread.insert(QStringLiteral("b@x"), {message(QStringLiteral("b@x"), QStringLiteral("1"), QStringLiteral("x"))});
        m_box->showMsgBox();
        m_bus->requests.clear();
        m_box->slot_IgnoreMsg();
        m_box->slot_OpenChatDialog();
        QCOMPARE(m_bus->opened(), (QList<QPair<bool, QString>>{{false, QStringLiteral("b@x")}, {true, QStringLiteral("b@x")}}));
        QCOMPARE(m_box->frdModel()->rowCount(), 1);
    }

    void arrivalsWhileShown()
    {
        const QString a = QStringLiteral("a@x");
        m_bus->unread.insert(a, {message(a, QStringLiteral("1"), QStringLiteral("one"))});
        m_box->showMsgBox();
        QCOMPARE(appends(*m_box), 1);
        m_box->addMessageToBox(message(a, QStringLiteral("2"), QStringLiteral("two")), a);
        QCOMPARE(appends(*m_box), 2); // only the new message is appended
        QCOMPARE(m_box->frdModel()->item(0)->data(MsgBoxRole::Count).toInt(), 2);
        m_box->addMessageToBox(message(QStringLiteral("b@x"), QStringLiteral("3"), QStringLiteral("three")), QString());
        QCOMPARE(m_box->frdModel()->rowCount(), 2);
        QCOMPARE(appends(*m_box), 2); // another sender: its row only

        // The chat plug-in gives no HTML: nothing appended, no crash.
        m_bus->html = nullptr;
        LogCapture log;
        m_box->addMessageToBox(message(a, QStringLiteral("4"), QStringLiteral("four")), a);
        QCOMPARE(appends(*m_box), 2);
        QVERIFY(log.contains(QStringLiteral("no HTML")));
    }

    void removingTheLastMessageClosesTheBox()
    {
        const QString a = QStringLiteral("a@x");
        m_bus->unread.insert(a, {message(a, QStringLiteral("1"), QStringLiteral("one")),
                                 message(a, QStringLiteral("2"), QStringLiteral("two"))});
        m_box->showMsgBox();
        QSignalSpy counts(m_box.get(), &MsgBox::signal_msgcount);
        m_box->delMsgByMsgId(a, QStringLiteral("1"));
        QCOMPARE(m_box->frdModel()->item(0)->data(MsgBoxRole::Count).toInt(), 1);
        QVERIFY(m_box->isVisible());
        m_box->delMsgByMsgId(QStringLiteral("unknown@x"), QStringLiteral("2"));
        QVERIFY(m_box->isVisible());
        m_box->delMsgByMsgId(a, QStringLiteral("2"));
        QCOMPARE(m_box->frdModel()->rowCount(), 0);
        QVERIFY(!m_box->isVisible());
        QCOMPARE(counts.last().at(0).toInt(), 0);
    }

    void picturesUpdateThePageAndTheStoredMessages()
    {
        const QString a = QStringLiteral("a@x");
        MessageData m = message(a, QStringLiteral("1"), QString());
        m.text = QStringLiteral("<img src=\"loading.gif\" name=\"p1.png\" fileid=\"f1\"/>");
        m_bus->unread.insert(a, {m});
        m_box->showMsgBox();
        QDir().mkpath(m_env->home() + QStringLiteral("/picRec"));
        QImage(4, 4, QImage::Format_RGB32).save(m_env->home() + QStringLiteral("/picRec/p1.png"));
        const int before = int(m_box->view()->recordedScripts().size());

        LogCapture log;
        m_box->updatePicture(a, QStringLiteral("../p1.png"), QStringLiteral("f1"), true);
        QCOMPARE(m_box->view()->recordedScripts().size(), before);

        const QString hostileId = QStringLiteral("f1\"); alert(1); (\"");
        m_box->updatePicture(a, QStringLiteral("p1.png"), hostileId, true);
        const QString script = m_box->view()->recordedScripts().last();
        QVERIFY(script.startsWith(QLatin1String("fnFreshPicture(\"f1\\\"); alert(1); (\\\"\", \"p1.png\", \"")));
        m_box->updatePicture(a, QStringLiteral("gone.png"), QStringLiteral("f2"), true);
        QCOMPARE(m_box->view()->recordedScripts().last(), QStringLiteral("downPicFailed(\"gone.png\", \"f2\")"));

        m_box->slot_updateWebView();
        const QString page = m_box->view()->recordedScripts().last();
        QVERIFY(page.contains(QLatin1String("picRec/p1.png")));
        QVERIFY(page.contains(QLatin1String("fileid= \\\"f1&quot;); alert(1); (&quot;\\\"")));
    }

    void requestsPage()
    {
        RequestData r;
        r.jid = QStringLiteral("new@x");
        r.name = QStringLiteral("新同事");
        r.text = QStringLiteral("请求添加你为好友");
        emit MainSignalSender::instance()->signal_reqlist({r});
        QCOMPARE(m_box->requestModel()->rowCount(), 1);
        QCOMPARE(m_box->requestModel()->item(0)->data(MsgBoxRole::Name).toString(), r.name);
        m_box->showMsgBox();
        QVERIFY(m_box->showsRequests());
        for (QPushButton *b : m_box->findChildren<QPushButton *>(QStringLiteral("Agree")))
            QVERIFY(b->isHidden());
    }

private:
    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<ChatBusDouble> m_bus;
    std::unique_ptr<MsgBox> m_box;
};

QTEST_MAIN(tst_MsgBox)
#include "tst_MsgBox.moc"
