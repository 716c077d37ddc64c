#include "LoginPlugin.h"

#include "ColleagueDirectory.h"
#include "LoginDatabase.h"
#include "LoginWindow.h"
#include "PackCommands.h"
#include <lumio/Commands.h>

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/PayloadReader.h>

#include <QDebug>
#include <QSettings>
#include <QStandardPaths>

#include <utility>

namespace {

const QString ShellAddress = QString::fromLatin1(Address::Shell);
const QString ContactsAddress = QString::fromLatin1(Address::Contacts);

// The shell answers a log-in-time upgrade check once or twice within about five
// seconds; past that the log-in goes on without it.
constexpr int UpgradeWaitMs = 5000;

// Remembered choices only: never a password.
QSettings choices()
{
    return QSettings(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                         + QStringLiteral("/lumio-pack/login.ini"),
                     QSettings::IniFormat);
}

} // namespace

LoginPlugin::LoginPlugin()
    : PackPlugin(Address::Login)
{
    m_upgradeWait.setSingleShot(true);
    m_upgradeWait.setInterval(UpgradeWaitMs);
    connect(&m_upgradeWait, &QTimer::timeout, this, [this] {
        logWarn(QStringLiteral("no final answer to the upgrade check; log-in goes on"));
        upgradeSettled();
    });
}

LoginPlugin::~LoginPlugin()
{
    if (canReleaseWindows())
        releaseWindows();
}

void LoginPlugin::releaseWindows()
{
    delete m_window;
}

void LoginPlugin::handle(BaseEvent &event)
{
    PayloadReader in(event.data());
    switch (event.command()) {
    case Command::ShowLoginWindow: {
        const QString userId = in.readString();
        const QString quickLaunch = in.readString();
        // The account is a user id, never a password: safe to log.
        logInfo(QStringLiteral("login window requested, uin=%1 quicklunch=%2").arg(userId, quickLaunch));
        const Colleague known = ColleagueDirectory::instance().find(userId);
        if (quickLaunch == QLatin1String("1") && known.isValid()) {
            logInfo(QStringLiteral("quick launch for %1").arg(known.user));
            showWindow(known.user);
            startLogIn(known.user, QString(), true);
            return;
        }
        QSettings settings = choices();
        const QString last = settings.value(QStringLiteral("lastAccount")).toString();
        const bool autoLogin = settings.value(QStringLiteral("autoLogin")).toBool();
        showWindow(userId.isEmpty() ? last : userId);
        if (userId.isEmpty() && autoLogin && ColleagueDirectory::instance().find(last).isValid())
            startLogIn(last, QString(), true);
        break;
    }
    case Command::ShowLoginWindowAgain:
        if (!m_loggedIn)
            showWindow({});
        break;
    case Command::QuitLoginWindow:
        if (m_window)
            m_window->hide();
        break;
    case Command::ChoosePresence:
        in.readString();
        in.readString();
        m_presence = in.readInt();
        break;
    case Command::LoginRecord:
        // No record of that kind exists in the pack.
        answerAddress(event, nullptr);
        break;
    case Command::UpgradeCheckResult: {
        const bool prompting = in.readBool();
        logInfo(QStringLiteral("upgrade check finished, prompting=%1").arg(prompting));
        // While the prompt is up a second, final answer may follow.
        if (!prompting && !m_heldJid.isEmpty())
            upgradeSettled();
        break;
    }
    case Command::LoginExit:
        m_loggedIn = false;
        m_inProgress = false;
        m_heldJid.clear();
        m_jid.clear();
        tell(PackCommand::LogOut, ContactsAddress);
        break;
    case PackCommand::LoggedIn:
        loggedIn(in.readString());
        break;
    case PackCommand::LoginFailed:
        loginFailed(in.readString());
        break;
    default:
        break;
    }
}

void LoginPlugin::skinChanged()
{
    if (m_window)
        m_window->applySkin();
}

void LoginPlugin::showWindow(const QString &account)
{
    if (!m_window) {
        m_window = new LoginWindow;
        QSettings settings = choices();
        m_window->setRemember(settings.value(QStringLiteral("remember"), true).toBool());
        m_window->setAutoLogin(settings.value(QStringLiteral("autoLogin")).toBool());
        connect(m_window, &LoginWindow::logInRequested, this, [this] {
            startLogIn(m_window->account(), m_window->takePassword(), false);
        });
    }
    if (!account.isEmpty())
        m_window->setAccount(account);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    qDebug().noquote() << "login window shown";
}

void LoginPlugin::startLogIn(const QString &account, const QString &password, bool quick)
{
    if (m_inProgress)
        return;
    m_inProgress = true;
    m_pendingAccount = account;
    if (m_window)
        m_window->setBusy(true);
    const int presence = m_window ? m_window->presenceCode() : m_presence;
    m_presence = presence;
    tell(Command::LoginStarted, ShellAddress);
    logInfo(QStringLiteral("log-in started for %1").arg(account));
    tell(PackCommand::LogIn, ContactsAddress,
         PayloadWriter::pack(account, password, qint32(presence), quick));
}

void LoginPlugin::loggedIn(const QString &jid)
{
    if (!m_inProgress || m_loggedIn || !m_heldJid.isEmpty())
        return;
    // The store names the folder as the shell does: the JID's user part.
    const QString account = LoginDatabase::folderOf(jid);
    tell(Command::SetOwnJid, ShellAddress, PayloadWriter::pack(jid));
    tell(Command::LoadAccountSettings, ShellAddress, PayloadWriter::pack(account));

    QString basePath;
    if (const auto reply = ask(Command::MessageFilePath, ShellAddress))
        basePath = PayloadReader(*reply).readString();
    QString error;
    if (!basePath.isEmpty() && LoginDatabase::open(account, basePath, &error)) {
        logInfo(QStringLiteral("login party opened data.db of %1").arg(account));
        const Colleague me = ColleagueDirectory::instance().find(jid);
        const bool remember = m_window && m_window->remember();
        const bool autoLogin = m_window && m_window->autoLogin();
        if (!LoginDatabase::saveLogin(account, jid, me.name, remember, autoLogin))
            logWarn(QStringLiteral("login row of %1 not saved").arg(account));
    } else {
        logWarn(QStringLiteral("account database not opened by the login party: %1")
                    .arg(basePath.isEmpty() ? QStringLiteral("no message file path") : error));
    }
    rememberChoices(account);

    // The log-in report waits for the upgrade check's final answer, so a
    // prompt is not buried under the main window; it never waits for long.
    m_heldJid = jid;
    m_upgradeWait.start();
    tell(Command::StartUpgradeCheck, ShellAddress, PayloadWriter::pack(qint32(0)));
}

void LoginPlugin::upgradeSettled()
{
    m_upgradeWait.stop();
    const QString jid = std::exchange(m_heldJid, QString());
    if (!jid.isEmpty())
        finishLogIn(jid);
}

void LoginPlugin::finishLogIn(const QString &jid)
{
    if (!m_inProgress || m_loggedIn)
        return;
    m_inProgress = false;
    m_loggedIn = true;
    m_jid = jid;
    tell(Command::LoginCompleted, ShellAddress, PayloadWriter::pack(jid));
    tell(Command::StartMainWindow, ShellAddress, PayloadWriter::pack(qint32(m_presence)));
    tell(PackCommand::SessionReady, ContactsAddress);
    if (m_window) {
        m_window->setBusy(false);
        m_window->hide();
    }
}

void LoginPlugin::loginFailed(const QString &reason)
{
    m_inProgress = false;
    m_heldJid.clear();
    if (!m_window)
        showWindow(m_pendingAccount);
    m_window->show();
    m_window->showError(reason);
}

void LoginPlugin::rememberChoices(const QString &account)
{
    QSettings settings = choices();
    const bool remember = m_window ? m_window->remember() : true;
    settings.setValue(QStringLiteral("remember"), remember);
    settings.setValue(QStringLiteral("autoLogin"), m_window && m_window->autoLogin());
    settings.setValue(QStringLiteral("lastAccount"), remember ? account : QString());
}
