#include "MainWindowUi.h"

#include "common/CommonFun.h"
#include "ui/CIconButtonEx.h"
#include "ui/CStatusButtonEx.h"
#include "ui/HeadLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QVBoxLayout>

namespace {

constexpr int TitleHeight = 28;
constexpr int HeaderHeight = 64;
constexpr int Spacing = 4;

CIconButtonEx *iconButton(QWidget *parent, const char *name, const char *tip, int side)
{
    auto *button = new CIconButtonEx(parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(QString::fromUtf8(tip));
    button->setIcon(MainWindowUi::buttonIcon(name));
    button->setFixedSize(side, side);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QLabel *badgeOn(QWidget *button, const char *name)
{
    auto *badge = new QLabel(button);
    badge->setObjectName(QLatin1String(name));
    badge->setStyleSheet(QStringLiteral(
        "border-radius:7px;background-color:#f43530;color:#f7f7f7;font-size:9px;"));
    badge->setAlignment(Qt::AlignCenter);
    badge->setGeometry(button->width() - 16, 0, 16, 14);
    badge->hide();
    return badge;
}

} // namespace

QString MainWindowUi::buttonIcon(const char *name)
{
    return QStringLiteral("Resources\\images\\MainWindow\\%1.png").arg(QLatin1String(name));
}

int MainWindowUi::bandHeight() const
{
    return TitleHeight + HeaderHeight + 2 * Spacing;
}

void MainWindowUi::setupUi(QMainWindow *window, int margin)
{
    auto *central = new QWidget(window);
    central->setObjectName(QStringLiteral("mainCentral"));
    central->setMouseTracking(true);
    central->setAttribute(Qt::WA_TranslucentBackground);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(margin + 6, margin, margin + 4, margin + 4);
    column->setSpacing(Spacing);

    auto *titleRow = new QHBoxLayout;
    auto *title = new QLabel(CommonFun::windowTitle(), central);
    title->setObjectName(QStringLiteral("titleLabel"));
    title->setStyleSheet(QStringLiteral("color:#ffffff;font-size:12px;"));
    titleRow->addWidget(title);
    titleRow->addStretch();
    mini = iconButton(central, "btnMin", "最小化", TitleHeight);
    close = iconButton(central, "btnClose", "关闭", TitleHeight);
    titleRow->addWidget(mini);
    titleRow->addWidget(close);
    column->addLayout(titleRow);

    auto *header = new QHBoxLayout;
    header->setSpacing(8);
    head = new HeadLabel(central);
    head->setObjectName(QStringLiteral("headLabel"));
    head->setFixedSize(56, 56);
    header->addWidget(head);
    auto *who = new QVBoxLayout;
    who->setSpacing(2);
    auto *nameRow = new QHBoxLayout;
    name = new QLabel(central);
    name->setObjectName(QStringLiteral("nameLabel"));
    name->setStyleSheet(QStringLiteral("color:#ffffff;font-size:14px;font-weight:bold;"));
    presence = new CStatusButtonEx(central);
    presence->setObjectName(QStringLiteral("presenceButton"));
    nameRow->addWidget(name);
    nameRow->addWidget(presence);
    nameRow->addStretch();
    who->addLayout(nameRow);
    signature = new QLineEdit(central);
    signature->setObjectName(QStringLiteral("signatureEdit"));
    signature->setPlaceholderText(QStringLiteral("编辑个性签名"));
    // Only a click or the edit action starts editing; a window that just
    // showed must not sit with the caret in the signature.
    signature->setFocusPolicy(Qt::ClickFocus);
    signature->setStyleSheet(QStringLiteral(
        "QLineEdit{background:transparent;border:1px solid transparent;color:#f2f6fb;}"
        "QLineEdit:hover,QLineEdit:focus{border:1px solid rgba(255,255,255,120);"
        "background:rgba(255,255,255,40);}"));
    who->addWidget(signature);
    header->addLayout(who, 1);
    auto *headerBox = new QWidget(central);
    headerBox->setFixedHeight(HeaderHeight);
    headerBox->setLayout(header);
    header->setContentsMargins(0, 0, 0, 0);
    column->addWidget(headerBox);

    listHost = new QWidget(central);
    listHost->setObjectName(QStringLiteral("contactListHost"));
    listLayout = new QVBoxLayout(listHost);
    // The list starts where the skin band ends, with no strip of window between.
    listLayout->setContentsMargins(0, 0, 0, 0);
    column->addWidget(listHost, 1);

    auto *bar = new QHBoxLayout;
    bar->setSpacing(2);
    const char *const entries[][2] = {
        {"btnSysMenu", "主菜单"},       {"btnAddFriend", "添加好友"}, {"btnPhone", "电话"},
        {"btnMsgManager", "消息管理器"}, {"btnFileManager", "文件管理"}, {"btnTopic", "话题"},
        {"btnMsgBox", "消息盒子"},      {"btnSkin", "更换皮肤"},      {"btnAppBox", "应用盒子"},
        {"btnSettings", "系统设置"},
    };
    for (const auto &entry : entries) {
        CIconButtonEx *button = iconButton(central, entry[0], entry[1], 24);
        bar->addWidget(button);
        bottom.append(button);
    }
    bar->addStretch();
    column->addLayout(bar);

    badge = badgeOn(bottom[MessageBox], "unreadBadge");
    callBadge = badgeOn(bottom[Phone], "missedCallBadge");
    window->setCentralWidget(central);
}
