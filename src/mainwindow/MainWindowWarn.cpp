#include "MainWindowWarn.h"

#include "app/SystemSetData.h"
#include "bus/MainEventProcess.h"
#include "bus/MainSignalSender.h"
#include "log/ShellLog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

// The friend's deletion normally confirms sooner; the records go anyway after this.
constexpr int RecordsDelayMs = 2000;

const char *const BoolText[] = {"0", "1"};

} // namespace

MainWindowWarn *MainWindowWarn::instance()
{
    static MainWindowWarn *dialog = [] {
        auto *created = new MainWindowWarn(SystemSetData::instance());
        connect(MainSignalSender::instance(), &MainSignalSender::signal_delFriend, created,
                &MainWindowWarn::slot_deleFriendSucceed);
        return created;
    }();
    return dialog;
}

MainWindowWarn::MainWindowWarn(SystemSetData *settings, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("MainWindowWarn"));
    m_recordsTimer.setSingleShot(true);
    m_recordsTimer.setInterval(RecordsDelayMs);
    connect(&m_recordsTimer, &QTimer::timeout, this, &MainWindowWarn::slot_showRecord);
    buildLayout();
}

void MainWindowWarn::buildLayout()
{
    setWindowTitle(QStringLiteral("提示"));
    m_title = new QLabel(this);
    m_pages = new QStackedWidget(this);

    auto *closePage = new QWidget(m_pages);
    auto *closeLayout = new QVBoxLayout(closePage);
    closeLayout->addWidget(new QLabel(QStringLiteral("关闭主面板时："), closePage));
    m_hideRadio = new QRadioButton(QStringLiteral("最小化到系统托盘，不退出程序"), closePage);
    m_closeRadio = new QRadioButton(QStringLiteral("退出程序"), closePage);
    m_noAskBox = new QCheckBox(QStringLiteral("不再提醒"), closePage);
    m_hideRadio->setObjectName(QStringLiteral("hideRadio"));
    m_closeRadio->setObjectName(QStringLiteral("closeRadio"));
    m_noAskBox->setObjectName(QStringLiteral("noAskBox"));
    auto *choice = new QButtonGroup(closePage);
    choice->addButton(m_hideRadio);
    choice->addButton(m_closeRadio);
    closeLayout->addWidget(m_hideRadio);
    closeLayout->addWidget(m_closeRadio);
    closeLayout->addStretch();
    closeLayout->addWidget(m_noAskBox);
    m_pages->addWidget(closePage);

    auto *removalPage = new QWidget(m_pages);
    auto *removalLayout = new QVBoxLayout(removalPage);
    removalLayout->addWidget(new QLabel(QStringLiteral("确定要删除该联系人吗？"), removalPage));
    m_friendBox = new QCheckBox(QStringLiteral("删除好友"), removalPage);
    m_recordsBox = new QCheckBox(QStringLiteral("同时删除聊天记录"), removalPage);
    m_friendBox->setObjectName(QStringLiteral("friendBox"));
    m_recordsBox->setObjectName(QStringLiteral("recordsBox"));
    removalLayout->addWidget(m_friendBox);
    removalLayout->addWidget(m_recordsBox);
    removalLayout->addStretch();
    m_pages->addWidget(removalPage);

    m_confirmButton = new QPushButton(QStringLiteral("确定"), this);
    m_cancelButton = new QPushButton(QStringLiteral("取消"), this);
    m_confirmButton->setObjectName(QStringLiteral("confirmButton"));
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_confirmButton->setDefault(true);
    connect(m_confirmButton, &QPushButton::clicked, this, &MainWindowWarn::slot_confirm);
    connect(m_cancelButton, &QPushButton::clicked, this, &MainWindowWarn::slot_cancel);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_confirmButton);
    buttons->addWidget(m_cancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);
    setFixedSize(320, 200);
}

int MainWindowWarn::page() const
{
    return m_pages->currentIndex();
}

void MainWindowWarn::prepareClosePage()
{
    const AccountSettings &stored = m_settings->settings();
    // Nothing chosen yet: hiding keeps the program running, the safer default.
    if (stored.closeMainWindow.toInt() == 1)
        m_closeRadio->setChecked(true);
    else
        m_hideRadio->setChecked(true);
    m_noAskBox->setChecked(stored.mainWindowWarn.toInt() == 1);
    m_title->setText(QStringLiteral("关闭主面板"));
    m_pages->setCurrentIndex(ClosePage);
}

void MainWindowWarn::showRemovalPage(const QString &jid)
{
    m_jid = jid;
    m_friendBox->setChecked(true);
    m_recordsBox->setChecked(false);
    m_title->setText(QStringLiteral("删除联系人"));
    m_pages->setCurrentIndex(RemovalPage);
    show();
    m_friendBox->clearFocus();
    m_recordsBox->clearFocus();
}

void MainWindowWarn::slot_confirm()
{
    if (page() == ClosePage)
        confirmClosePage();
    else
        confirmRemovalPage();
}

void MainWindowWarn::confirmClosePage()
{
    const bool quit = m_closeRadio->isChecked();
    // Failures are logged by the store; the choice still holds for this run.
    m_settings->setMainWindowWarn(QLatin1String(BoolText[m_noAskBox->isChecked()]));
    m_settings->setCloseMainWindow(QLatin1String(BoolText[quit]));
    m_settings->setHideMainWindow(QLatin1String(BoolText[!quit]));
    // Closed before the choice runs: exit may open questions of its own.
    accept();
    if (quit)
        emit signal_close();
    else
        emit signal_hide();
}

void MainWindowWarn::confirmRemovalPage()
{
    const bool removeFriend = m_friendBox->isChecked();
    const bool removeRecords = m_recordsBox->isChecked();
    hide();
    if (m_jid.isEmpty() || (!removeFriend && !removeRecords))
        return;
    if (removeFriend && removeRecords) {
        // A removal still waiting goes now: only one can wait for its confirmation.
        finishPendingRemoval();
        m_pendingJid = m_jid;
        resetRemovalPage();
        m_recordsTimer.start();
        MainEventProcess::deleteFriend(m_pendingJid);
        return;
    }
    if (removeFriend)
        MainEventProcess::deleteFriend(m_jid);
    else
        MainEventProcess::openMessageManager(m_jid, false);
    resetRemovalPage();
    close();
}

bool MainWindowWarn::finishPendingRemoval()
{
    m_recordsTimer.stop();
    if (m_pendingJid.isEmpty())
        return false;
    const QString jid = m_pendingJid;
    // Cleared first: whichever of the timer and the confirmation comes second finds nothing.
    m_pendingJid.clear();
    MainEventProcess::openMessageManager(jid, false);
    return true;
}

void MainWindowWarn::slot_showRecord()
{
    const bool finished = finishPendingRemoval();
    // A question opened since the removal was confirmed stays open.
    if (finished && isVisible())
        return;
    resetRemovalPage();
    if (page() == RemovalPage)
        close();
}

void MainWindowWarn::slot_deleFriendSucceed(const QString &jid)
{
    if (jid.isEmpty())
        return;
    if (jid == m_pendingJid) {
        slot_showRecord();
    } else if (jid == m_jid && page() == RemovalPage) {
        // Removed elsewhere while the question was open: nothing left to ask.
        LOG_INFO(QStringLiteral("MainWindowWarn: %1 was removed elsewhere; question closed").arg(jid));
        resetRemovalPage();
        close();
    }
}

void MainWindowWarn::slot_cancel()
{
    // Only the open question is dropped; a removal confirmed earlier still completes.
    close();
    if (page() == RemovalPage)
        resetRemovalPage();
}

void MainWindowWarn::resetRemovalPage()
{
    m_jid.clear();
    m_friendBox->setChecked(false);
    m_recordsBox->setChecked(false);
}
