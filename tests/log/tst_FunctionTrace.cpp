#include "log/FunctionTrace.h"
#include "log/ShellLog.h"

#include <QtTest>

namespace {

struct Line
{
    SharedLog::Level level;
    QString text;
    QString file;
    int line;
    QString function;
};

class RecordingLog : public SharedLog
{
public:
    RecordingLog() : m_previous(ShellLog::shared()) { ShellLog::setShared(this); }
    ~RecordingLog() override { ShellLog::setShared(m_previous); }
    void write(Level level, const QString &text, const char *file, int line, const char *function) override
    {
        lines.append({level, text, QString::fromUtf8(file), line, QString::fromUtf8(function)});
    }
    void writeCustom(const QString &, const QString &, const QString &, const QString &) override {}

    QList<Line> lines;

private:
    SharedLog *m_previous;
};

class Worker
{
public:
    int run(int times, const QString &name) const
    {
        LOG_FUNCTION();
        LOG_INFO(QStringLiteral("working %1 %2").arg(times).arg(name));
        return times;
    }
    void slot_close(bool confirmed)
    {
        LOG_SLOT();
        if (!confirmed) {
            LOG_SLOT_BRANCH(QStringLiteral("cancelled"));
            return;
        }
        LOG_SLOT_BRANCH(QStringLiteral("closed"));
    }
};

} // namespace

class tst_FunctionTrace : public QObject
{
    Q_OBJECT
private slots:
    void qualifiedName_data();
    void qualifiedName();
    void methodName();
    void entryAndExitFrameTheBody();
    void slotFormNamesTheBranch();
};

void tst_FunctionTrace::qualifiedName_data()
{
    QTest::addColumn<QString>("signature");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "bool PluginManager::loadPlugin()" << "PluginManager::loadPlugin()";
    QTest::newRow("const member") << "QString Foo::bar(int, const QString&) const" << "Foo::bar(int, const QString&)";
    QTest::newRow("reference result") << "const QString& Foo::name() const" << "Foo::name()";
    QTest::newRow("pointer result") << "static Foo* Foo::instance()" << "Foo::instance()";
    QTest::newRow("function type result") << "std::function<void(int)> Foo::make(int)" << "Foo::make(int)";
    QTest::newRow("template") << "void ns::Tpl<A, B>::run(T) [with T = int]" << "ns::Tpl<A, B>::run(T)";
    QTest::newRow("free function") << "int application(int, char**)" << "application(int, char**)";
    QTest::newRow("call operator") << "bool Foo::operator()(int)" << "Foo::operator()(int)";
    QTest::newRow("shift operator") << "QDebug operator<<(QDebug, const Foo&)" << "operator<<(QDebug, const Foo&)";
    QTest::newRow("conversion") << "Foo::operator bool() const" << "Foo::operator bool()";
    QTest::newRow("no parentheses") << "weird" << "weird";
    QTest::newRow("empty") << "" << "";
}

void tst_FunctionTrace::qualifiedName()
{
    QFETCH(QString, signature);
    QFETCH(QString, expected);
    QCOMPARE(FunctionTrace::qualifiedName(signature.toUtf8().constData()), expected);
}

void tst_FunctionTrace::methodName()
{
    QCOMPARE(FunctionTrace::methodName("void MainWindow::slot_quit()"), QStringLiteral("slot_quit"));
    QCOMPARE(FunctionTrace::methodName("void slot_free(int)"), QStringLiteral("slot_free"));
    QCOMPARE(FunctionTrace::qualifiedName(nullptr), QString());
}

void tst_FunctionTrace::entryAndExitFrameTheBody()
{
    RecordingLog log;
    QCOMPARE(Worker().run(3, "x"), 3);
    QCOMPARE(log.lines.size(), 3);
    const QString name = QStringLiteral("{anonymous}::Worker::run(int, const QString&)");
    QCOMPARE(log.lines.at(0).text, "entry fun " + name);
    QCOMPARE(log.lines.at(1).text, QStringLiteral("working 3 x"));
    QCOMPARE(log.lines.at(2).text, "exit fun " + name);
    for (int i : {0, 2}) {
        QCOMPARE(log.lines.at(i).level, SharedLog::Level::Debug);
        QVERIFY(log.lines.at(i).file.endsWith("tst_FunctionTrace.cpp"));
        QCOMPARE(log.lines.at(i).function,
                 QStringLiteral("int {anonymous}::Worker::run(int, const QString&) const"));
        QVERIFY(log.lines.at(i).line > 0);
    }
}

void tst_FunctionTrace::slotFormNamesTheBranch()
{
    RecordingLog log;
    Worker worker;
    worker.slot_close(false);
    worker.slot_close(true);
    QStringList texts;
    for (const Line &line : log.lines)
        texts.append(line.text);
    QCOMPARE(texts, (QStringList{"entry slot_close", "exit slot_close(cancelled)",
                                 "entry slot_close", "exit slot_close(closed)"}));
}

QTEST_GUILESS_MAIN(tst_FunctionTrace)
#include "tst_FunctionTrace.moc"
