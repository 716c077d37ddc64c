// test-flags: LOG4CXX WEBENGINE LIBS Qt6::HttpServer
#include "E2eRun.h"
#include "LoopbackHttpServer.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QtTest>

namespace {

const char *const Plugins[] = {"libe2e_driver.so", "libe2e_panel.so", "libe2e_account.so",
                               "libe2e_directory.so", "libe2e_contacts.so", "libe2e_chat.so",
                               "libe2e_card.so"};

const QByteArray LogIn = "send LoginStarted\n"
                         "send SetOwnJid s:alice@lumio.test\n"
                         "send LoadAccountSettings s:alice\n"
                         "send LoginCompleted s:alice\n"
                         "send StartMainWindow i:1\n"
                         "wait 300\n";

} // namespace

class tst_MainWindowE2e : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void showsListKeepsPlaceChangesPresenceExits();
    void messageFlashesTrayFillsBoxesAndReadStopsIt();

private:
    using Run = E2eRun::Result;
    Run run(const QByteArray &script);
    QString checkpoint(const Run &run, const QString &name) const { return run.checkpoint(name); }

    TestEnvironment m_env;
    LoopbackHttpServer m_server;
    QString m_tree;
};

void tst_MainWindowE2e::initTestCase()
{
    QVERIFY(m_server.isListening());
    // A copy of the runnable tree: the test's own plug-ins and addresses, nothing shared.
    m_tree = m_env.runnableTree(QStringLiteral("tree"), m_server.url(QString()));
    QVERIFY(!m_tree.isEmpty());
    QDir(m_tree + QStringLiteral("/plugins")).removeRecursively();
    QDir().mkpath(m_tree + QStringLiteral("/plugins"));
    QStringList names;
    for (const char *plugin : Plugins) {
        QVERIFY2(QFile::copy(TestEnvironment::fixtureDir() + QStringLiteral("/e2e/") + QLatin1String(plugin),
                             m_tree + QStringLiteral("/plugins/") + QLatin1String(plugin)), plugin);
        names << QLatin1String(plugin);
    }
    QVERIFY(E2eRun::setPluginList(m_tree + QStringLiteral("/allurl.ini"), names));
}

tst_MainWindowE2e::Run tst_MainWindowE2e::run(const QByteArray &script)
{
    E2eRun shell(m_env.root(), m_env.home());
    shell.environment().insert(QStringLiteral("LUMIO_E2E_PAGE"),
                               TestEnvironment::fixtureDir() + QStringLiteral("/msgRecordIndex.html"));
    return shell.run(m_tree + QStringLiteral("/lumio"), {}, script);
}

void tst_MainWindowE2e::showsListKeepsPlaceChangesPresenceExits()
{
    const Run first = run(LogIn + "check shown\n"
                                  "move 321 123\n"
                                  "wait 100\n"
                                  "presence 2\n"
                                  "wait 100\n"
                                  "check after\n"
                                  "invoke slot_exitWithoutNotice\n");
    QVERIFY2(first.status == QProcess::NormalExit && first.exitCode == 0, first.output.right(3000).constData());
    const QString shown = checkpoint(first, QStringLiteral("shown"));
    QVERIFY2(shown.contains(QLatin1String("window=1 visible=1")), qPrintable(first.report.join('\n')));
    QVERIFY2(shown.contains(QLatin1String("list=20")), qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("presence=在线")), qPrintable(shown));
    QVERIFY2(!first.report.join('\n').contains(QLatin1String("error")), qPrintable(first.report.join('\n')));
    QVERIFY2(checkpoint(first, QStringLiteral("after")).contains(QStringLiteral("presence=离开")),
             qPrintable(first.report.join('\n')));

    const Run second = run(LogIn + "check again\ninvoke slot_exitWithoutNotice\n");
    QVERIFY2(second.status == QProcess::NormalExit && second.exitCode == 0, second.output.right(3000).constData());
    // Every main-window row reached the real window, none the do-nothing default.
    QVERIFY2(!first.output.contains("MainWindowEntry::"), first.output.constData());
    const QString again = checkpoint(second, QStringLiteral("again"));
    QVERIFY2(again.contains(QLatin1String("x=321 y=123")), qPrintable(again));
}

void tst_MainWindowE2e::messageFlashesTrayFillsBoxesAndReadStopsIt()
{
    const Run run = this->run(LogIn + "page\n"
                                      "message bob@lumio.test hello <b>bold</b>\n"
                                      "tray flashing head:bob@lumio.test\n"
                                      "smallbox small\n"
                                      "invoke slot_showMsgBox\n"
                                      "box box <b>bold</b>\n"
                                      "tray before head:bob@lumio.test\n"
                                      "send MessagesRead s:bob@lumio.test s:\n"
                                      "settled stopped\n"
                                      "steady after 1500\n"
                                      "invoke slot_exitWithoutNotice\n");
    const QString report = run.report.join('\n');
    QVERIFY2(run.status == QProcess::NormalExit && run.exitCode == 0, run.output.right(3000).constData());
    QVERIFY2(!report.contains(QLatin1String("error")) && !report.contains(QLatin1String("timeout")), qPrintable(report));
    QVERIFY2(checkpoint(run, QStringLiteral("flashing")).contains(QLatin1String("head:bob@lumio.test")), qPrintable(report));
    QVERIFY2(checkpoint(run, QStringLiteral("small")).contains(QLatin1String("senders=bob@lumio.test/bob")),
             qPrintable(report));
    // The chat party's HTML reaches the page as markup, not as escaped text.
    const QString box = checkpoint(run, QStringLiteral("box"));
    QVERIFY2(box.contains(QLatin1String("<span class=\"e2e\">")) && box.contains(QLatin1String(">hello <b>bold</b><")),
             qPrintable(report));
    // Still flashing once the box shows, so the stop below is the read notice's doing.
    QVERIFY2(checkpoint(run, QStringLiteral("before")).contains(QLatin1String("head:bob@lumio.test")), qPrintable(report));
    QVERIFY2(checkpoint(run, QStringLiteral("after")).contains(QLatin1String("flashes=0")), qPrintable(report));
    // The tray and unread-box rows reached the real objects, not the do-nothing defaults.
    const QRegularExpression fallback(QStringLiteral("\\b(TrayEntry|UnreadBoxEntry)::\\w+: nothing installed"));
    QVERIFY2(!fallback.match(QString::fromUtf8(run.output)).hasMatch(), run.output.right(3000).constData());
}

QTEST_MAIN(tst_MainWindowE2e)
#include "tst_MainWindowE2e.moc"
