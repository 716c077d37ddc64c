#include "MainWindowUi.h"

#include "common/CommonFun.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton *toolButton(QWidget *parent, const char *name, const char *tip)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(QString::fromUtf8(tip));
    button->setFixedSize(28, 28);
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
    badge->setGeometry(12, 0, 18, 14);
    badge->hide();
    return badge;
}

} // namespace

void MainWindowUi::setupUi(QMainWindow *window)
{
    auto *central = new QWidget(window);
    central->setObjectName(QStringLiteral("mainCentral"));
    central->setMouseTracking(true);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(4);

    auto *titleRow = new QHBoxLayout;
    auto *title = new QLabel(CommonFun::windowTitle(), central);
    title->setObjectName(QStringLiteral("titleLabel"));
    titleRow->addWidget(title);
    titleRow->addStretch();
    mini = toolButton(central, "btnMin", "最小化");
    close = toolButton(central, "btnClose", "关闭");
    titleRow->addWidget(mini);
    titleRow->addWidget(close);
    column->addLayout(titleRow);

    auto *header = new QHBoxLayout;
    head = new QLabel(central);
    head->setObjectName(QStringLiteral("headLabel"));
    head->setFixedSize(52, 52);
    header->addWidget(head);
    auto *who = new QVBoxLayout;
    auto *nameRow = new QHBoxLayout;
    name = new QLabel(central);
    name->setObjectName(QStringLiteral("nameLabel"));
    presence = new QPushButton(QStringLiteral("离线"), central);
    presence->setObjectName(QStringLiteral("presenceButton"));
    nameRow->addWidget(name);
    nameRow->addWidget(presence);
    nameRow->addStretch();
    who->addLayout(nameRow);
    signature = new QLineEdit(central);
    signature->setObjectName(QStringLiteral("signatureEdit"));
    signature->setPlaceholderText(QStringLiteral("编辑个性签名"));
    who->addWidget(signature);
    header->addLayout(who);
    column->addLayout(header);

    search = new QLineEdit(central);
    search->setObjectName(QStringLiteral("searchEdit"));
    search->setPlaceholderText(QStringLiteral("搜索联系人"));
    column->addWidget(search);

    listHost = new QWidget(central);
    listHost->setObjectName(QStringLiteral("contactListHost"));
    listLayout = new QVBoxLayout(listHost);
    listLayout->setContentsMargins(0, 0, 0, 0);
    column->addWidget(listHost, 1);

    auto *bar = new QHBoxLayout;
    const char *const entries[][2] = {
        {"btnSysMenu", "主菜单"},       {"btnAddFriend", "添加好友"}, {"btnPhone", "电话"},
        {"btnMsgManager", "消息管理器"}, {"btnFileManager", "文件管理"}, {"btnTopic", "话题"},
        {"btnMsgBox", "消息盒子"},      {"btnSkin", "更换皮肤"},      {"btnAppBox", "应用盒子"},
        {"btnSettings", "系统设置"},
    };
    for (const auto &entry : entries) {
        QPushButton *button = toolButton(central, entry[0], entry[1]);
        bar->addWidget(button);
        bottom.append(button);
    }
    bar->addStretch();
    column->addLayout(bar);

    badge = badgeOn(bottom[MessageBox], "unreadBadge");
    callBadge = badgeOn(bottom[Phone], "missedCallBadge");
    window->setCentralWidget(central);
}
