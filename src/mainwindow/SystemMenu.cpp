#include "SystemMenu.h"

#include "MainWindowSeams.h"
#include "UserFiles.h"

#include "app/settings/SystemSetData.h"
#include "bus/MainEventProcess.h"
#include "common/CommonFun.h"
#include "common/ResourcePath.h"
#include "endpoints/CUrlInfo.h"
#include "log/ShellLog.h"
#include "store/CLocalDataBase.h"
#include "ui/BaseDialogEx.h"
#include "ui/CMenuEx.h"

#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QTimer>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QUrl>

QString SystemMenu::repairProgramName() { return QStringLiteral("DataBaseRepari"); }
QString SystemMenu::repairToolName() { return QStringLiteral("sqlite3"); }

SystemMenu::SystemMenu(MainWindowSeams *seams, QWidget *parent)
    : QMainWindow(parent)
    , m_seams(seams)
    , m_main(new CMenuEx(this))
    , m_settings(new CMenuEx(this))
    , m_help(new CMenuEx(this))
    , m_updateBadge(new QLabel(m_main))
{
    setObjectName(QStringLiteral("systemMenu"));
    m_main->setObjectName(QStringLiteral("systemMainMenu"));
    for (CMenuEx *menu : {m_main, m_settings, m_help})
        menu->setMenuStyle(0);
    m_settings->setTitle(QStringLiteral("系统设置"));
    m_help->setTitle(QStringLiteral("帮助"));
    add(m_main, "viewDetail", QStringLiteral("查看资料"));
    add(m_main, "upgrade", QStringLiteral("软件升级"));
    add(m_main, "feedback", QStringLiteral("问题反馈"));
    add(m_main, "about", QStringLiteral("关于"));
    m_main->addSeparator();
    QAction *settingsEntry = m_main->addMenu(m_settings);
    settingsEntry->setObjectName(QStringLiteral("settingsEntry"));
    QAction *helpEntry = m_main->addMenu(m_help);
    helpEntry->setObjectName(QStringLiteral("helpEntry"));
    m_main->addSeparator();
    add(m_main, "changeUser", QStringLiteral("切换用户"));
    add(m_main, "changePassword", QStringLiteral("修改密码"));
    add(m_main, "exit", QStringLiteral("退出"));

    const char *pages[] = {"基本设置", "状态设置", "热键设置", "消息设置", "安全设置", "文件设置"};
    for (int page = 0; page < 6; ++page) {
        QAction *entry = m_settings->addAction(QString::fromUtf8(pages[page]));
        entry->setObjectName(QStringLiteral("settingsPage%1").arg(page));
        entry->setData(page);
    }
    add(m_help, "helpAbout", QStringLiteral("关于"));
    add(m_help, "helpFeedback", QStringLiteral("问题反馈"));
    add(m_help, "checkDatabase", QStringLiteral("数据库检测"));

    // Room for the badge right of the longest entry.
    m_main->setMinimumWidth(150);
    m_updateBadge->setObjectName(QStringLiteral("updateBadge"));
    m_updateBadge->setPixmap(ResourcePath::pixmap(QStringLiteral("Resources/images/MainWindow/kora_ic_update_new.png")));
    m_updateBadge->setFixedSize(24, 12);
    m_updateBadge->setScaledContents(true);
    m_updateBadge->hide();
    // Placed once the menu has laid its rows out.
    connect(m_main, &QMenu::aboutToShow, this, [this] {
        QTimer::singleShot(0, m_updateBadge, [this] {
            const QRect row = m_main->actionGeometry(action(QStringLiteral("upgrade")));
            m_updateBadge->move(row.right() - m_updateBadge->width() - 8,
                                row.center().y() - m_updateBadge->height() / 2);
            m_updateBadge->setVisible(m_newVersion);
            m_updateBadge->raise();
        });
    });
    connect(m_main, &QMenu::triggered, this, &SystemMenu::slot_menuclick);
    connect(m_settings, &QMenu::triggered, this, &SystemMenu::slot_setmenuclick);
    connect(m_help, &QMenu::triggered, this, &SystemMenu::slot_helpMenuclick);
    connect(settingsEntry, &QAction::hovered, this, &SystemMenu::slot_showSetMenu);
    connect(helpEntry, &QAction::hovered, this, &SystemMenu::slot_showHelpMenu);

    messageRoot = [] { return SystemSetData::instance()->messageFilePath(); };
    accountFolder = [] { return SystemSetData::instance()->accountFolder(); };
    databaseHealthy = [](const QString &folder, const QString &root) {
        return CLocalDataBase::CheckDatabase(folder, root, true);
    };
    closeDatabase = [] { CLocalDataBase::Close(); };
    reopenDatabase = [](const QString &folder, const QString &root) {
        if (!CLocalDataBase::Open(folder, root, true))
            LOG_ERROR(QStringLiteral("SystemMenu: history database not reopened"));
    };
    openUrl = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
    confirm = [](const QString &title, const QString &text) {
        BaseDialogEx box(nullptr, title, text, BaseDialogEx::Message,
                         BaseDialogEx::CloseButton | BaseDialogEx::OkButton | BaseDialogEx::CancelButton,
                         BaseDialogEx::QuestionIcon);
        box.setButtonTexts(QStringLiteral("确定"), QStringLiteral("取消"));
        return box.exec() == BaseDialogEx::Accepted;
    };
    waitDialog = [](bool shown) {
        static QPointer<BaseDialogEx> box;
        if (shown && !box) {
            box = new BaseDialogEx(nullptr, QStringLiteral("数据库检测"),
                                   QStringLiteral("正在检测数据库，请耐心等待..."), BaseDialogEx::Message, 0,
                                   BaseDialogEx::InfoIcon);
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->show();
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        } else if (!shown && box) {
            box->close();
        }
    };
}

QAction *SystemMenu::add(QMenu *menu, const char *objectName, const QString &text)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(QLatin1String(objectName));
    return action;
}

QAction *SystemMenu::action(const QString &objectName) const
{
    for (const QMenu *menu : {static_cast<QMenu *>(m_main), static_cast<QMenu *>(m_settings),
                              static_cast<QMenu *>(m_help)})
        for (QAction *entry : menu->actions())
            if (entry->objectName() == objectName)
                return entry;
    return nullptr;
}

void SystemMenu::setNewVersionKnown(bool known)
{
    m_newVersion = known;
    m_updateBadge->setVisible(known && m_main->isVisible());
}

void SystemMenu::slot_showSetMenu() {}
void SystemMenu::slot_showHelpMenu() {}

bool SystemMenu::refusedOffline(const QString &text)
{
    if (MainEventProcess::isConnected())
        return false;
    m_seams->notify(QStringLiteral("提示"), text);
    return true;
}

QUrl SystemMenu::passwordUrl(const QString &base, const QString &account)
{
    const QString encoded = QString::fromLatin1(QUrl::toPercentEncoding(account));
    const QString text = base.contains(QLatin1String("%1")) ? base.arg(encoded) : base + encoded;
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        || url.host().isEmpty()) {
        LOG_WARN(QStringLiteral("SystemMenu: change-password address refused: %1").arg(base));
        return {};
    }
    return url;
}

void SystemMenu::slot_menuclick(QAction *action)
{
    const QString name = action->objectName();
    if (name == QLatin1String("viewDetail")) {
        emit signal_showViewDetail();
    } else if (name == QLatin1String("upgrade")) {
        if (!refusedOffline(QStringLiteral("您目前处于离线状态，请先登录再进行软件升级")))
            m_seams->startUpgradeCheck();
    } else if (name == QLatin1String("feedback")) {
        if (!refusedOffline(QStringLiteral("您目前处于离线状态，请先登录再进行问题反馈")))
            m_seams->openFeedback();
    } else if (name == QLatin1String("about")) {
        m_seams->notify(QStringLiteral("关于"), CommonFun::windowTitle());
    } else if (name == QLatin1String("changeUser")) {
        const QString account = MainEventProcess::ownAccount().jid.section(QLatin1Char('@'), 0, 0);
        // The next start must show the log-in window, not log in again by itself.
        UserFiles(accountFolder()).setAutoLogin(QStringLiteral("0"));
        emit signal_changeUser(account);
    } else if (name == QLatin1String("changePassword")) {
        const QString account = MainEventProcess::ownAccount().jid.section(QLatin1Char('@'), 0, 0);
        const QUrl url = passwordUrl(CUrlInfo::instance()->ModifypwdTheurl(), account);
        if (!url.isEmpty() && !openUrl(url))
            LOG_WARN(QStringLiteral("SystemMenu: cannot open %1").arg(url.toString()));
    } else if (name == QLatin1String("exit")) {
        emit signal_close();
    }
}

void SystemMenu::slot_setmenuclick(QAction *action)
{
    if (refusedOffline(QStringLiteral("您目前处于离线状态，请先登录再进行系统设置")))
        return;
    MainEventProcess::openSettings(action->data().toInt());
}

void SystemMenu::slot_helpMenuclick(QAction *action)
{
    const QString name = action->objectName();
    if (name == QLatin1String("helpAbout")) {
        m_seams->notify(QStringLiteral("关于"), CommonFun::windowTitle());
    } else if (name == QLatin1String("helpFeedback")) {
        if (!refusedOffline(QStringLiteral("您目前处于离线状态，请先登录再进行问题反馈")))
            m_seams->openFeedback();
    } else if (name == QLatin1String("checkDatabase")) {
        checkAndRepair(CommonFun::jidToFolderName(MainEventProcess::ownJid()));
    }
}

bool SystemMenu::checkDB(const QString &account)
{
    LOG_INFO(QStringLiteral("entry SystemMenu::checkDB(const QString &strUserName)"));
    struct ExitLine
    {
        ~ExitLine() { LOG_INFO(QStringLiteral("exit SystemMenu::checkDB(const QString &strUserName)")); }
    } exitLine;
    if (account.isEmpty()) {
        LOG_WARN(QStringLiteral("SystemMenu::checkDB:strUserName.isEmpty()"));
        return false;
    }
    // A missing file is no healthy database: say so before anything is checked.
    if (!QFileInfo::exists(messageRoot() + QLatin1Char('/') + account + QStringLiteral("/data.db"))) {
        m_seams->notify(QStringLiteral("提示"), QStringLiteral("数据库文件不存在，请联系Lumio团队."));
        return false;
    }
    const QString dir = m_seams->applicationDir() + QLatin1Char('/');
    if (!QFileInfo(dir + repairProgramName()).isExecutable()
        || !QFileInfo(dir + repairToolName()).isExecutable()) {
        LOG_WARN(QStringLiteral("SystemMenu::checkDB:sqlite3.exe not exists"));
        return false;
    }
    waitDialog(true);
    const bool healthy = databaseHealthy(account, messageRoot());
    waitDialog(false);
    if (healthy) {
        m_seams->notify(QStringLiteral("提示"),
                        QStringLiteral("数据库未损坏，不需要修复，如有问题请联系Lumio团队."));
        return false;
    }
    return confirm(QStringLiteral("提示"), QStringLiteral("数据库损坏，需要退出Lumio修复数据库。确定立即修复?"));
}

bool SystemMenu::checkAndRepair(const QString &account)
{
    if (!checkDB(account))
        return false;
    const QString folder = messageRoot() + QLatin1Char('/') + account;
    // The repair program must find the file closed.
    closeDatabase();
    const QString program = m_seams->applicationDir() + QLatin1Char('/') + repairProgramName();
    if (!m_seams->startDetached(program, {QStringLiteral("datapath:") + folder})) {
        reopenDatabase(account, messageRoot());
        m_seams->notify(QStringLiteral("提示"), QStringLiteral("修复程序无法启动：%1").arg(program));
        return false;
    }
    emit signal_close();
    return true;
}
