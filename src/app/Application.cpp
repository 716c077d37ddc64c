#include "Application.h"

#include "AccountLogUpload.h"
#include "AppFonts.h"
#include "AppPaths.h"
#include "CrashCapture.h"
#include "CommandLine.h"
#include "ImInfoDefaults.h"
#include "SessionHooks.h"
#include "StartupBanner.h"
#include "StartupPhases.h"
#include "SystemSetData.h"
#include "WindowEntries.h"
#include "bus/BusRequest.h"
#include "bus/CommandDispatcher.h"
#include "bus/EventRouter.h"
#include "bus/MainEventProcess.h"
#include "bus/PLuginData.h"
#include "bus/PluginManager.h"
#include "common/CommonFun.h"
#include "bus/entries/UninstalledEntries.h"
#include "endpoints/CUrlInfo.h"
#include "log/LogConfigFile.h"
#include "log/CMonitorLogger.h"
#include "log/LogContext.h"
#include "log/ShellLog.h"
#include "platform/TerminationSignals.h"
#include "store/StoreLog.h"
#include "ui/LibCtrlsMessageProcess.h"

#include <lumio/Addresses.h>

#include <QApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QMenu>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>

#include <cstdlib>

namespace {

// Found before logging is set up; logged with its first lines.
QStringList &earlyProblems()
{
    static QStringList problems;
    return problems;
}

void setUpPaths()
{
    const QString appDir = AppPaths::applicationDir();
    QDir::setCurrent(appDir);
    for (const char *sub : {"/codecs", "/imageformats", "/sqldrivers"})
        QCoreApplication::addLibraryPath(appDir + QLatin1String(sub));
    QApplication::setQuitOnLastWindowClosed(false);
}

void setUpTranslation(QApplication &app)
{
    // Qt's own texts come from the system's translations package.
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qt_zh_CN"), folder)) {
        QCoreApplication::installTranslator(translator);
        return;
    }
    delete translator;
    earlyProblems().append(
        QStringLiteral("Qt translation qt_zh_CN not found in %1; Qt texts stay untranslated").arg(folder));
}

void setUpFonts()
{
    QApplication::setFont(AppFonts::applicationFont());
    if (CommonFun::iconFontFamily().isEmpty())
        return;
    const QFont icons = AppFonts::iconFont();
    QApplication::setFont(icons, "QPushButton");
    QApplication::setFont(icons, "QMenu");
}

void initialise()
{
    startupBanner("==========程序初始化开始========");
    startupBanner("==========生成配置文件IMInfo.ini开始========");
    QString error;
    if (ImInfoDefaults::ensure(AppPaths::imInfoPath(), AppPaths::defaultMessageFileRoot(), &error)
        == ImInfoDefaults::Result::Failed)
        qWarning().noquote() << error;
    startupBanner("==========生成配置文件IMInfo.ini结束========");

    startupBanner("==========SystemSetData::initCommonData开始========");
    SystemSetData::instance()->initCommonData();
    startupBanner("==========SystemSetData::initCommonData结束========");

    PluginManager *plugins = PluginManager::instance();
    EventRouter *router = EventRouter::instance();
    // Built here, so a refused dispatcher row shows in the start-up log.
    CommandDispatcher::instance();
    router->setShellHandler(&CommandDispatcher::executeCommand);
    router->setControlsReceiver(LibCtrlsMessageProcess::instance());
    plugins->setEventManager(router);
    QObject::connect(plugins, &PluginManager::pluginLoaded, PLuginData::instance(),
                     &PLuginData::addKnownSender);
    startupBanner("==========PluginManager实例化结束========");
    startupBanner("==========程序初始化结束========");
}

void applyStyleSheet(QApplication &app)
{
    QFile css(QStringLiteral("Resources/Style/commonStyle.css"));
    if (!css.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QStringList lines;
    QTextStream in(&css);
    while (!in.atEnd())
        lines.append(in.readLine());
    if (!lines.isEmpty())
        app.setStyleSheet(lines.join(QLatin1Char('\n')));
}

LogContext *startLogging(QApplication &app)
{
    const QString logFolder = AppPaths::logFolder();
    QStringList problems = earlyProblems();
    QString error;
    QString cfg = LogConfigFile::prepare(AppPaths::applicationDir() + QStringLiteral("/log.cfg"),
                                         logFolder, &error);
    if (cfg.isEmpty()) {
        problems.append(error);
        cfg = QStringLiteral("./log.cfg");
    }

    // Never destroyed: plug-ins keep writing through it until the process ends.
    auto *log = new LogContext;
    LogContext::publish(log);
    PluginManager::instance()->setLogger(log);
    // The store logs into the same file from the first Open, whoever calls it.
    StoreLog::setShared(log);
    if (!log->openCustomLog(QDir(logFolder).absoluteFilePath(QStringLiteral("CustomLog.csv"))))
        problems.append(QStringLiteral("custom log not opened in %1").arg(logFolder));
    log->setAppFont(QApplication::font());
    auto *monitor = new CMonitorLogger(&app);
    monitor->setEndpoints([](CMonitorLogger::Upload kind) {
        const CUrlInfo *urls = CUrlInfo::instance();
        switch (kind) {
        case CMonitorLogger::Upload::Performance: return urls->LoguploadMonitorPerf();
        case CMonitorLogger::Upload::Crash: return urls->LoguploadMonitorCrash();
        case CMonitorLogger::Upload::Custom: return urls->LoguploadMotitorCustom();
        }
        return QString();
    });
    monitor->setStartTime(QDateTime::currentDateTime().toString(QLatin1String(CMonitorLogger::TimeFormat)));
    monitor->start();
    log->setMonitorLogger(monitor);

    if (!LogContext::configure(cfg, &error))
        problems.append(error);
    const QString rule(76, QLatin1Char('='));
    LOG_INFO(rule);
    LOG_INFO(QStringLiteral("begin start log."));
    LOG_INFO(rule);
    for (const QString &problem : std::as_const(problems)) {
        qWarning().noquote() << problem;
        LOG_WARN(problem);
    }
    return log;
}

void loadPlugins()
{
    startupBanner("===========加载插件开始=========");
    PluginManager::instance()->setNameList(CUrlInfo::instance()->pluginNames());
    PluginManager::instance()->loadPlugin();
    startupBanner("============加载插件结束========");
}

void showLogin(const CommandLine &commandLine)
{
    startupBanner("==========main 展示登录窗开始========");
    if (!PluginManager::instance()->plugin(QString::fromLatin1(Address::Login)))
        LOG_ERROR(QStringLiteral("login plug-in not loaded; no login window"));
    MainEventProcess::showLoginWindow(commandLine.userId, commandLine.quickLaunch);
    startupBanner("==========main 展示登录窗结束========");
}

} // namespace

int application(int argc, char *argv[])
{
    // Step 1 of the original set GBK as the locale codec; sources and the
    // system here are UTF-8, so only external 8-bit data is decoded as GBK.
    startupBanner("==========BEGIN========");
    StartupPhases phases;
    phases.begin(QStringLiteral("application object"));
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Lumio"));
    // Installed first, so a signal during start-up is handled once the loop runs.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app, [](int number) {
        LOG_INFO(QStringLiteral("signal %1: quitting").arg(number));
        QCoreApplication::quit();
    });
    phases.begin(QStringLiteral("signal and crash handlers"));
    if (!termination.install())
        LOG_WARN(QStringLiteral("SIGINT/SIGTERM handlers not installed"));
    QString crashError;
    if (!CrashCapture::installForShell(&crashError))
        qWarning().noquote() << crashError;

    const CommandLine commandLine = CommandLine::parse(app.arguments().mid(1));
    startupBanner("==========快捷方式打开参数读取结束========");

    setUpPaths();
    phases.begin(QStringLiteral("translator"));
    setUpTranslation(app);
    phases.begin(QStringLiteral("fonts"));
    setUpFonts();
    phases.begin(QStringLiteral("settings"));
    initialise();
    // Before any HTTP client of the shell or of a plug-in is made.
    CommonFun::applyProxySettings();
    phases.begin(QStringLiteral("style sheet"));
    applyStyleSheet(app);
    phases.begin(QStringLiteral("logging set-up"));
    startLogging(app);
    // Before the plug-ins: the first log-in may come as soon as they are loaded.
    AccountLogUpload::forShell(&app);
    SessionHooks::installForShell();
    installWindowEntries();
    phases.begin(QStringLiteral("plug-in loading"));
    loadPlugins();
    phases.begin(QStringLiteral("first window"));
    showLogin(commandLine);
    phases.begin(QStringLiteral("event loop"));

    // Lets start-up be timed: quit as soon as the loop turns.
    if (qEnvironmentVariableIsSet("LUMIO_EXIT_AFTER_START"))
        QTimer::singleShot(0, &app, &QCoreApplication::quit);

    QApplication::exec();
    phases.begin(QStringLiteral("shutdown"));

    BusRequest::logMissSummary();
    LogContext *log = LogContext::published();
    // Synchronous, while the event loop objects still exist.
    if (log && log->monitorLogger())
        log->monitorLogger()->flush();
    if (log)
        log->destroyStream();
    UninstalledEntries::summary();
    const QString rule(76, QLatin1Char('*'));
    LOG_INFO(rule);
    LOG_INFO(QStringLiteral("end log."));
    LOG_INFO(rule);
    if (log)
        log->closeCustomLog();
    phases.end();
    // Written last, so that the way out is timed too; a killed shell writes none.
    QString phaseError;
    if (!phases.write(&phaseError))
        qWarning().noquote() << phaseError;
    std::exit(0);
}
