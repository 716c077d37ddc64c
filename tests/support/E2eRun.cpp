#include "E2eRun.h"

#include "TestEnvironment.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>

namespace {

const QRegularExpression DllsLine(QStringLiteral("^dlls=(.*)$"), QRegularExpression::MultilineOption);

} // namespace

QString E2eRun::Result::checkpoint(const QString &name) const
{
    for (const QString &line : report)
        if (line.startsWith(name + QLatin1Char(' ')))
            return line;
    return {};
}

E2eRun::E2eRun(const QString &root, const QString &home)
    : m_root(root)
    , m_environment(QProcessEnvironment::systemEnvironment())
{
    m_environment.insert(QStringLiteral("HOME"), home);
    for (const char *name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR",
                             "XDG_DATA_DIRS", "XDG_CONFIG_DIRS", "XDG_STATE_HOME", "XDG_DOCUMENTS_DIR"})
        m_environment.remove(QLatin1String(name));
    const QString screens = root + QStringLiteral("/screens.json");
    TestEnvironment::writeText(
        screens,
        R"({"screens":[{"name":"e2e","x":0,"y":0,"width":1280,"height":800,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})");
    m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + screens);
    m_environment.insert(QStringLiteral("LUMIO_E2E_SCRIPT"), root + QStringLiteral("/script.txt"));
    m_environment.insert(QStringLiteral("LUMIO_E2E_REPORT"), root + QStringLiteral("/report.txt"));
}

E2eRun::Result E2eRun::run(const QString &program, const QStringList &arguments, const QByteArray &script,
                           int timeoutMs)
{
    const QString reportPath = m_environment.value(QStringLiteral("LUMIO_E2E_REPORT"));
    TestEnvironment::writeText(m_environment.value(QStringLiteral("LUMIO_E2E_SCRIPT")), script);
    QFile::remove(reportPath);

    QProcess shell;
    shell.setProcessEnvironment(m_environment);
    shell.setProcessChannelMode(QProcess::MergedChannels);
    Result result;
    QElapsedTimer clock;
    clock.start();
    shell.start(program, arguments);
    if (!shell.waitForStarted(10000))
        return result;
    bool terminated = false;
    // The shell talks to the test's loopback servers while we wait: keep our loop turning.
    while (shell.state() != QProcess::NotRunning && clock.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        shell.waitForFinished(50);
        result.output += shell.readAll();
        if (!terminated && m_terminateWhen && m_terminateWhen()) {
            shell.terminate();
            terminated = true;
        }
    }
    if (shell.state() != QProcess::NotRunning) {
        result.timedOut = true;
        shell.kill();
        shell.waitForFinished(5000);
    }
    result.elapsedMs = clock.elapsed();
    result.output += shell.readAll();
    result.exitCode = shell.exitCode();
    result.status = shell.exitStatus();
    result.report = QString::fromUtf8(TestEnvironment::readText(reportPath)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return result;
}

QStringList E2eRun::pluginList(const QString &allurlIni)
{
    const QRegularExpressionMatch line = DllsLine.match(QString::fromUtf8(TestEnvironment::readText(allurlIni)));
    return line.hasMatch() ? line.captured(1).trimmed().split(QLatin1Char(','), Qt::SkipEmptyParts) : QStringList();
}

bool E2eRun::setPluginList(const QString &allurlIni, const QStringList &libraries)
{
    QString ini = QString::fromUtf8(TestEnvironment::readText(allurlIni));
    if (!DllsLine.match(ini).hasMatch())
        return false;
    ini.replace(DllsLine, QStringLiteral("dlls=") + libraries.join(QLatin1Char(',')));
    return TestEnvironment::writeText(allurlIni, ini.toUtf8());
}
