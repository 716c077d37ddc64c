#include "MainWindowWarn.h"

#include "app/settings/SystemSetData.h"
#include "bus/MainEventProcess.h"
#include "bus/MainSignalSender.h"
#include "log/ShellLog.h"

#include "common/ResourcePath.h"
#include "platform/Compositor.h"
#include "ui/BaseDialogEx.h"
#include "ui/FrameMover.h"
#include "ui/SkinPainter.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>

namespace {

// The friend's deletion normally confirms sooner; the records go anyway after this.
constexpr int RecordsDelayMs = 2000;

const QSize WindowSize(340, 190); // inside the frame
constexpr int TitleHeight = 30;
constexpr int FooterHeight = 48;
constexpr int ButtonWidth = 72;
constexpr int ButtonHeight = 28;
constexpr int IconSize = 40;

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
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("MainWindowWarn"));
    setWindowTitle(QStringLiteral("提示"));
    m_painter.setTranslucent(Compositor::isRunning());
    setAttribute(Qt::WA_TranslucentBackground, m_painter.translucent());
    m_painter.setBandHeight(TitleHeight);
    m_painter.setFooterHeight(FooterHeight);
    m_mover = new FrameMover(this);
    m_mover->setEdgeOffset(m_painter.margin());
    m_recordsTimer.setSingleShot(true);
    m_recordsTimer.setInterval(RecordsDelayMs);
    connect(&m_recordsTimer, &QTimer::timeout, this, &MainWindowWarn::slot_showRecord);
    buildLayout();
}

void MainWindowWarn::buildLayout()
{
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("label_title"));
    m_closeButton = new QPushButton(this);
    m_closeButton->setObjectName(QStringLiteral("pushButton_close"));
    m_closeButton->setFocusPolicy(Qt::NoFocus);
    m_closeButton->setCursor(Qt::PointingHandCursor);
    m_closeButton->setToolTip(QStringLiteral("关闭"));
    connect(m_closeButton, &QPushButton::clicked, this, &MainWindowWarn::slot_cancel);

    m_pages = new QStackedWidget(this);

    auto *closePage = new QWidget(m_pages);
    m_closeIcon = new QLabel(closePage);
    m_closeIcon->setObjectName(QStringLiteral("label_questionIcon"));
    auto *closeQuestion = new QLabel(QStringLiteral("您点击了关闭按钮，您是想："), closePage);
    closeQuestion->setObjectName(QStringLiteral("label_question"));
    m_hideRadio = new QRadioButton(QStringLiteral("最小化到系统托盘，不退出程序"), closePage);
    m_closeRadio = new QRadioButton(QStringLiteral("退出程序"), closePage);
    m_hideRadio->setObjectName(QStringLiteral("hideRadio"));
    m_closeRadio->setObjectName(QStringLiteral("closeRadio"));
    auto *choice = new QButtonGroup(closePage);
    choice->addButton(m_hideRadio);
    choice->addButton(m_closeRadio);
    auto *closeLayout = new QGridLayout(closePage);
    closeLayout->setContentsMargins(0, 0, 0, 0);
    closeLayout->setHorizontalSpacing(14);
    closeLayout->setVerticalSpacing(8);
    // Rows 0 and 4 share the spare height, so the question sits in the middle.
    closeLayout->addWidget(m_closeIcon, 1, 0, 3, 1, Qt::AlignTop);
    closeLayout->addWidget(closeQuestion, 1, 1);
    closeLayout->addWidget(m_hideRadio, 2, 1);
    closeLayout->addWidget(m_closeRadio, 3, 1);
    closeLayout->setRowStretch(0, 1);
    closeLayout->setRowStretch(4, 1);
    closeLayout->setColumnStretch(1, 1);
    m_pages->addWidget(closePage);

    auto *removalPage = new QWidget(m_pages);
    m_removalIcon = new QLabel(removalPage);
    m_removalIcon->setObjectName(QStringLiteral("label_warningIcon"));
    auto *removalQuestion = new QLabel(QStringLiteral("确定要删除该联系人吗？"), removalPage);
    removalQuestion->setObjectName(QStringLiteral("label_question"));
    m_friendBox = new QCheckBox(QStringLiteral("从联系人列表中删除"), removalPage);
    m_recordsBox = new QCheckBox(QStringLiteral("同时删除与该联系人的聊天记录"), removalPage);
    m_friendBox->setObjectName(QStringLiteral("friendBox"));
    m_recordsBox->setObjectName(QStringLiteral("recordsBox"));
    auto *removalLayout = new QGridLayout(removalPage);
    removalLayout->setContentsMargins(0, 0, 0, 0);
    removalLayout->setHorizontalSpacing(14);
    removalLayout->setVerticalSpacing(8);
    // Rows 0 and 4 share the spare height, so the question sits in the middle.
    removalLayout->addWidget(m_removalIcon, 1, 0, 3, 1, Qt::AlignTop);
    removalLayout->addWidget(removalQuestion, 1, 1);
    removalLayout->addWidget(m_friendBox, 2, 1);
    removalLayout->addWidget(m_recordsBox, 3, 1);
    removalLayout->setRowStretch(0, 1);
    removalLayout->setRowStretch(4, 1);
    removalLayout->setColumnStretch(1, 1);
    m_pages->addWidget(removalPage);

    for (QLabel *icon : {m_closeIcon, m_removalIcon})
        icon->setFixedSize(IconSize, IconSize);

    m_noAskBox = new QCheckBox(QStringLiteral("不再提醒"), this);
    m_noAskBox->setObjectName(QStringLiteral("noAskBox"));
    m_confirmButton = new QPushButton(QStringLiteral("确定"), this);
    m_cancelButton = new QPushButton(QStringLiteral("取消"), this);
    // The names the shared dialog style knows.
    m_confirmButton->setObjectName(QStringLiteral("pushButton_ok"));
    m_cancelButton->setObjectName(QStringLiteral("pushButton_cancel"));
    for (QPushButton *button : {m_confirmButton, m_cancelButton})
        button->setCursor(Qt::PointingHandCursor);
    m_confirmButton->setDefault(true);
    connect(m_confirmButton, &QPushButton::clicked, this, &MainWindowWarn::slot_confirm);
    connect(m_cancelButton, &QPushButton::clicked, this, &MainWindowWarn::slot_cancel);

    setStyleSheet(ResourcePath::styleSheet(QStringLiteral("Resources/Style/CBaseDialogEx.css"))
                  + ResourcePath::styleSheet(QStringLiteral("Resources/Style/MainWindowWarn.css")));
    m_closeIcon->setStyleSheet(BaseDialogEx::iconStyle(BaseDialogEx::QuestionIcon));
    m_removalIcon->setStyleSheet(BaseDialogEx::iconStyle(BaseDialogEx::WarningIcon));
    setFixedSize(WindowSize + QSize(2, 2) * m_painter.margin());
    arrange();
}

void MainWindowWarn::arrange()
{
    const QRect c = m_painter.contentRect(rect());
    m_closeButton->setGeometry(c.right() - 29, c.top(), 30, TitleHeight);
    m_title->setGeometry(c.left() + 12, c.top(), c.width() - 50, TitleHeight);
    const QRect footer(c.left(), c.bottom() - FooterHeight + 1, c.width(), FooterHeight);
    const int buttonTop = footer.top() + (FooterHeight - ButtonHeight) / 2;
    m_cancelButton->setGeometry(footer.right() - 11 - ButtonWidth + 1, buttonTop, ButtonWidth, ButtonHeight);
    m_confirmButton->setGeometry(m_cancelButton->x() - 10 - ButtonWidth, buttonTop, ButtonWidth, ButtonHeight);
    m_noAskBox->setGeometry(footer.left() + 16, footer.top(), m_confirmButton->x() - footer.left() - 24,
                            FooterHeight);
    m_pages->setGeometry(QRect(QPoint(c.left() + 20, c.top() + TitleHeight + 8),
                               QPoint(c.right() - 16, footer.top() - 8)));
}

void MainWindowWarn::applySkin()
{
    m_painter.setSkin(SkinPainter::current());
    update();
}

void MainWindowWarn::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_painter.paint(painter, this);
}

void MainWindowWarn::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    arrange();
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
    m_noAskBox->show();
    m_title->setText(QStringLiteral("关闭提示"));
    m_pages->setCurrentIndex(ClosePage);
    applySkin();
}

void MainWindowWarn::showRemovalPage(const QString &jid)
{
    if (jid.trimmed().isEmpty()) {
        LOG_WARN(QStringLiteral("MainWindowWarn: removal asked for no contact; nothing shown"));
        return;
    }
    m_jid = jid;
    m_friendBox->setChecked(true);
    m_recordsBox->setChecked(false);
    m_noAskBox->hide();
    m_title->setText(QStringLiteral("删除联系人"));
    m_pages->setCurrentIndex(RemovalPage);
    applySkin();
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
