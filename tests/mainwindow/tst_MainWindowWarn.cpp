#include "TestEnvironment.h"
#include "app/settings/SystemSetData.h"
#include "bus/BusRequest.h"
#include "bus/MainSignalSender.h"
#include "mainwindow/MainWindowWarn.h"

#include <lumio/BaseEvent.h>
#include <lumio/EventManager.h>
#include <lumio/PayloadReader.h>

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

// The bus as the dialog's requests reach it: "command jid [flag]".
class Recorder : public EventManager
{
public:
    QStringList seen;

protected:
    void route(BaseEvent *event) override
    {
        PayloadReader in(event->data());
        QString line = QString::number(event->command(), 16) + QLatin1Char(' ') + in.readString();
        if (event->command() == 0x10C5)
            line += in.readBool() ? QStringLiteral(" true") : QStringLiteral(" false");
        seen << line;
    }
};

} // namespace

class tst_MainWindowWarn : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void closeChoicesReachFileAndStore();
    void bothRemovalsOnceWhicheverComesFirst();
    void nothingPendingOnlyResets();

private:
    template<typename T> T *control(QWidget *dialog, const char *name)
    {
        return dialog->findChild<T *>(QLatin1String(name));
    }
    void confirmRemoval(MainWindowWarn *dialog, const QString &jid, bool removeFriend, bool records)
    {
        dialog->showRemovalPage(jid);
        control<QCheckBox>(dialog, "friendBox")->setChecked(removeFriend);
        control<QCheckBox>(dialog, "recordsBox")->setChecked(records);
        QTest::mouseClick(control<QPushButton>(dialog, "pushButton_ok"), Qt::LeftButton);
    }

    TestEnvironment *m_env = nullptr;
    Recorder *m_bus = nullptr;
};

void tst_MainWindowWarn::init()
{
    m_env = new TestEnvironment;
    m_bus = new Recorder;
    BusRequest::setBus(m_bus);
}

void tst_MainWindowWarn::cleanup()
{
    BusRequest::setBus(nullptr);
    delete m_bus;
    delete m_env;
}

void tst_MainWindowWarn::closeChoicesReachFileAndStore()
{
    SystemSetData settings;
    TestEnvironment::writeText(m_env->home() + "/IMInfo.ini",
                               ("[msgSetting]\nmsgfilepath=" + m_env->home() + "/files\n").toUtf8());
    settings.initCommonData(m_env->home() + "/IMInfo.ini");
    const QString config = m_env->home() + "/files/li/config.ini";
    TestEnvironment::writeText(config, "[basicSetting]\nmainwindowWarn=0\ncloseMainWindow=1\nhideMainWindow=0\n");
    QVERIFY(settings.loadAccount("li"));

    MainWindowWarn dialog(&settings);
    QSignalSpy closes(&dialog, &MainWindowWarn::signal_close);
    QSignalSpy hides(&dialog, &MainWindowWarn::signal_hide);
    dialog.prepareClosePage();
    QCOMPARE(dialog.page(), int(MainWindowWarn::ClosePage));
    QVERIFY(control<QRadioButton>(&dialog, "closeRadio")->isChecked());
    QVERIFY(!control<QCheckBox>(&dialog, "noAskBox")->isChecked());

    // Hide, and never ask again: the next close press reads these from the store.
    control<QRadioButton>(&dialog, "hideRadio")->setChecked(true);
    control<QCheckBox>(&dialog, "noAskBox")->setChecked(true);
    dialog.show();
    QTest::mouseClick(control<QPushButton>(&dialog, "pushButton_ok"), Qt::LeftButton);
    QCOMPARE(hides.size(), 1);
    QCOMPARE(closes.size(), 0);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(settings.settings().mainWindowWarn, QStringLiteral("1"));
    QCOMPARE(settings.settings().hideMainWindow, QStringLiteral("1"));
    QCOMPARE(settings.settings().closeMainWindow, QStringLiteral("0"));

    // Reopened after a fresh load: the page shows what was saved; quitting and asking
    // again flips all three.
    QVERIFY(settings.loadAccount("li"));
    dialog.prepareClosePage();
    QVERIFY(control<QRadioButton>(&dialog, "hideRadio")->isChecked());
    QVERIFY(control<QCheckBox>(&dialog, "noAskBox")->isChecked());
    control<QRadioButton>(&dialog, "closeRadio")->setChecked(true);
    control<QCheckBox>(&dialog, "noAskBox")->setChecked(false);
    dialog.slot_confirm();
    QCOMPARE(closes.size(), 1);
    QCOMPARE(hides.size(), 1);
    QVERIFY(settings.loadAccount("li"));
    QCOMPARE(settings.settings().mainWindowWarn, QStringLiteral("0"));
    QCOMPARE(settings.settings().closeMainWindow, QStringLiteral("1"));
    QCOMPARE(settings.settings().hideMainWindow, QStringLiteral("0"));
    QVERIFY(m_bus->seen.isEmpty());
}

void tst_MainWindowWarn::bothRemovalsOnceWhicheverComesFirst()
{
    MainWindowWarn *dialog = MainWindowWarn::instance();
    const QStringList both{"1162 a@corp", "10c5 a@corp false"};

    // The confirmation first (heard from the bus), then the timer: records go once.
    confirmRemoval(dialog, "a@corp", true, true);
    QCOMPARE(m_bus->seen, QStringList{"1162 a@corp"});
    QVERIFY(!dialog->isVisible());
    emit MainSignalSender::instance()->signal_delFriend("someone@else");
    QCOMPARE(m_bus->seen.size(), 1);
    emit MainSignalSender::instance()->signal_delFriend("a@corp");
    QCOMPARE(m_bus->seen, both);
    dialog->slot_showRecord(); // the timer's turn, or the plug-in's reset
    emit MainSignalSender::instance()->signal_delFriend("a@corp");
    QCOMPARE(m_bus->seen, both);

    // The timer first, while a second contact's question is open: it removes the first
    // one's records only and leaves the open question alone; a late confirmation adds nothing.
    m_bus->seen.clear();
    confirmRemoval(dialog, "a@corp", true, true);
    dialog->showRemovalPage("b@corp");
    control<QCheckBox>(dialog, "recordsBox")->setChecked(true);
    QTRY_COMPARE_WITH_TIMEOUT(m_bus->seen, both, 4000);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->removalJid(), QStringLiteral("b@corp"));
    emit MainSignalSender::instance()->signal_delFriend("a@corp");
    dialog->slot_cancel();
    QCOMPARE(m_bus->seen, both);
}

void tst_MainWindowWarn::nothingPendingOnlyResets()
{
    MainWindowWarn *dialog = MainWindowWarn::instance();
    // An open, unanswered question with the records box ticked deletes nothing,
    // neither on "friend deleted" nor on the plug-in's reset.
    dialog->showRemovalPage("c@corp");
    control<QCheckBox>(dialog, "recordsBox")->setChecked(true);
    dialog->slot_showRecord();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->removalJid(), QString());
    dialog->showRemovalPage("c@corp");
    control<QCheckBox>(dialog, "recordsBox")->setChecked(true);
    emit MainSignalSender::instance()->signal_delFriend("c@corp");
    QVERIFY(!dialog->isVisible());
    QVERIFY(m_bus->seen.isEmpty());

    // A question about nobody is never asked.
    dialog->showRemovalPage("");
    QVERIFY(!dialog->isVisible());

    // Friend only, records only, neither: each sends its one request, nothing follows.
    confirmRemoval(dialog, "c@corp", true, false);
    emit MainSignalSender::instance()->signal_delFriend("c@corp");
    confirmRemoval(dialog, "d@corp", false, true);
    confirmRemoval(dialog, "e@corp", false, false);
    dialog->slot_showRecord();
    QVERIFY(!dialog->removalPending());
    QCOMPARE(m_bus->seen, (QStringList{"1162 c@corp", "10c5 d@corp false"}));
}

QTEST_MAIN(tst_MainWindowWarn)
#include "tst_MainWindowWarn.moc"
