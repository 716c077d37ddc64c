// test-flags: LOG4CXX WEBENGINE LIBS Qt6::HttpServer
#include "LoopbackHttpServer.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
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

bool copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!QFile::copy(source, target))
            return false;
        QFile::setPermissions(target, QFile::permissions(source));
    }
    return true;
}

} // namespace

class tst_MainWindowE2e : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void showsListKeepsPlaceChangesPresenceExits();
    void messageFlashesTrayFillsBoxesAndReadStopsIt();

private:
    struct Run
    {
        int exitCode = -1;
        QProcess::ExitStatus status = QProcess::CrashExit;
        QStringList report;
        QByteArray output;
    };
    Run run(const QByteArray &script);
    QString checkpoint(const Run &run, const QString &name) const;

    TestEnvironment m_env;
    LoopbackHttpServer m_server;
    QString m_tree;
};

void tst_MainWindowE2e::initTestCase()
{
    QVERIFY(m_server.isListening());
    m_tree = m_env.root() + QStringLiteral("/tree");
    // A copy of the runnable tree: the test's own plug-ins and addresses, nothing shared.
    QVERIFY(copyTree(TestEnvironment::binDir(), m_tree));
    QDir(m_tree + QStringLiteral("/plugins")).removeRecursively();
    QDir().mkpath(m_tree + QStringLiteral("/plugins"));
    QStringList names;
    for (const char *plugin : Plugins) {
        QVERIFY2(QFile::copy(TestEnvironment::fixtureDir() + QStringLiteral("/e2e/") + QLatin1String(plugin),
                             m_tree + QStringLiteral("/plugins/") + QLatin1String(plugin)), plugin);
        names << QLatin1String(plugin);
    }
    QByteArray ini = TestEnvironment::readText(m_tree + QStringLiteral("/allurl.ini"));
    QVERIFY(!ini.isEmpty());
    ini.replace("dlls=libloginmanager.so", "dlls=" + names.join(QLatin1Char(',')).toUtf8());
    const QByteArray local = m_server.url(QString()).toUtf8();
    ini.replace("https://monitor.example.invalid", local);
    ini.replace("https://app.example.invalid", local);
    QVERIFY(TestEnvironment::writeText(m_tree + QStringLiteral("/allurl.ini"), ini));
    QVERIFY(TestEnvironment::writeText(
        m_env.root() + QStringLiteral("/screens.json"),
        R"({"screens":[{"name":"e2e","x":0,"y":0,"width":1280,"height":800,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})"));
}

tst_MainWindowE2e::Run tst_MainWindowE2e::run(const QByteArray &script)
{
    const QString scriptPath = m_env.root() + QStringLiteral("/script.txt");
    const QString reportPath = m_env.root() + QStringLiteral("/report.txt");
    TestEnvironment::writeText(scriptPath, script);
    QFile::remove(reportPath);

    QProcess shell;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), m_env.home());
    for (const char *name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR",
                             "XDG_DATA_DIRS", "XDG_CONFIG_DIRS", "XDG_STATE_HOME"})
        environment.remove(QLatin1String(name));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"),
                       QStringLiteral("offscreen:configfile=") + m_env.root() + QStringLiteral("/screens.json"));
    environment.insert(QStringLiteral("LUMIO_E2E_SCRIPT"), scriptPath);
    environment.insert(QStringLiteral("LUMIO_E2E_REPORT"), reportPath);
    environment.insert(QStringLiteral("LUMIO_E2E_PAGE"),
                       TestEnvironment::fixtureDir() + QStringLiteral("/msgRecordIndex.html"));
    shell.setProcessEnvironment(environment);
    shell.setProcessChannelMode(QProcess::MergedChannels);
    shell.start(m_tree + QStringLiteral("/lumio"), {});
    Run result;
    if (!shell.waitForStarted(10000))
        return result;
    // The shell's monitoring flush talks to our server while we wait: keep our loop turning.
    QElapsedTimer timer;
    timer.start();
    while (shell.state() != QProcess::NotRunning && timer.elapsed() < 90000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        shell.waitForFinished(50);
        result.output += shell.readAll();
    }
    if (shell.state() != QProcess::NotRunning) {
        shell.kill();
        shell.waitForFinished(5000);
    }
    result.output += shell.readAll();
    result.exitCode = shell.exitCode();
    result.status = shell.exitStatus();
    result.report = QString::fromUtf8(TestEnvironment::readText(reportPath)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return result;
}

QString tst_MainWindowE2e::checkpoint(const Run &run, const QString &name) const
{
    for (const QString &line : run.report)
        if (line.startsWith(name + QLatin1Char(' ')))
            return line;
    return {};
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
