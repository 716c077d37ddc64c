// The controls library's windows for the screenshots.
#include "GalleryRegistry.h"

#include "app/SystemSetData.h"
#include "ui/BaseDialogEx.h"
#include "ui/BaseMainFormEx.h"
#include "ui/CBgMainWidgetEx.h"
#include "ui/CIconButtonEx.h"
#include "ui/CLineEditEx.h"
#include "ui/CMenuEx.h"
#include "ui/CPushButtonIconEx.h"
#include "ui/CStatusButtonEx.h"
#include "ui/CTextEditEx.h"
#include "ui/CWaitLoading.h"
#include "ui/ErrorMessage.h"
#include "ui/HeadLabel.h"
#include "ui/HotLabel.h"
#include "ui/MyLineEdit.h"
#include "ui/PushButtonEx.h"
#include "ui/WidgetWhiteEx.h"
#include "ui/singleLabel.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLabel>

#include <QActionGroup>

namespace {

QWidget *dialog(const QString &title, const QString &message, int kind, int buttons, int icon,
                const QString &input = QString(), const QString &hint = QString())
{
    auto *box = new BaseDialogEx(nullptr, title, message, kind, buttons, icon);
    if (!input.isEmpty())
        box->setDefaultInput(input);
    if (!hint.isEmpty())
        box->setHintText(hint);
    return box;
}

QWidget *menu(int style)
{
    auto *m = new CMenuEx;
    m->setMenuStyle(style);
    if (style == 1) {
        auto *group = new QActionGroup(m);
        for (const char *text : {" 在线", " 离开", " 忙碌", " 隐身", " 离线"}) {
            QAction *action = m->addAction(QString::fromUtf8(text));
            action->setCheckable(true);
            group->addAction(action);
        }
        group->actions().first()->setChecked(true);
    } else {
        m->addAction(QStringLiteral("系统设置"));
        m->addAction(QStringLiteral("消息管理器"));
        m->addAction(QStringLiteral("文件管理"));
        m->addSeparator();
        m->addAction(QStringLiteral("检查更新"))->setEnabled(false);
        m->addAction(QStringLiteral("退出"));
    }
    return m;
}

void popup(QWidget *widget, const QPoint &at)
{
    auto *m = static_cast<QMenu *>(widget);
    m->popup(at);
    // The second item shows the hover colour (the first may carry a tick).
    m->setActiveAction(m->actions().value(1));
}

const QString LongLog = QStringLiteral(
    "版本 2.3.0 更新内容：\n\n"
    "1. 新增会话置顶，重要的联系人始终排在最前面；\n"
    "2. 优化离线消息同步速度，登录后更快看到未读消息；\n"
    "3. 文件传输支持断点续传，网络中断后自动恢复；\n"
    "4. 修复多显示器下窗口位置偶尔错乱的问题；\n"
    "5. 修复部分情况下托盘图标不闪烁的问题；\n"
    "6. 界面细节调整，高分屏下图标更清晰。");

QWidget *notice(ErrorMessage::InputKind kind)
{
    auto *box = new ErrorMessage(QStringLiteral("提示"), QString());
    if (kind == ErrorMessage::NoInput) {
        box->setMessage(QStringLiteral("热键冲突：截图热键 Ctrl+Alt+A 已被其他程序占用，请到系统设置中修改。"));
        box->setAcceptText(QStringLiteral("去设置"));
    } else if (kind == ErrorMessage::RemarkName) {
        box->setTitle(QStringLiteral("修改备注"));
        box->setInputKind(kind, QStringLiteral("小明"));
    } else {
        box->setTitle(QStringLiteral("快捷回复"));
        box->setMessage(QStringLiteral("回复给：张小明"));
        box->setInputKind(kind, QStringLiteral("好的，马上到。"));
        box->setAcceptText(QStringLiteral("发送"));
    }
    return box;
}

// Every small control on one framed panel, header first as the main window shows it.
QWidget *controls()
{
    auto *form = new BaseMainFormEx;
    form->resize(300, 436);
    form->setBandHeight(118);
    const int m = form->frameMargin();

    auto *head = new HeadLabel(form);
    head->move(m + 14, m + 16);
    head->setName(QStringLiteral("张小明"));
    head->setPresenceIcon(QStringLiteral("Resources/images/status/ic_web_pc_light.png"));
    auto *name = new QLabel(QStringLiteral("张小明"), form);
    name->setStyleSheet(QStringLiteral("color:#ffffff;font-size:15px;font-weight:bold;"));
    name->setGeometry(m + 80, m + 14, 120, 24);
    auto *status = new CStatusButtonEx(form);
    status->setStatus(QStringLiteral("Resources/images/status/ic_web_pc_light.png"), QStringLiteral("在线"));
    status->move(m + 76, m + 40);
    auto *signature = new MyLineEdit(form);
    signature->setText(QStringLiteral("今天也要元气满满"));
    signature->setGeometry(m + 76, m + 64, 200, 22);
    auto *search = new CLineEditEx(form);
    search->setPlaceholderText(QStringLiteral("搜索联系人"));
    search->setGeometry(m + 10, m + 88, 272, 26);

    auto *panel = new WidgetWhiteEx(form);
    panel->setGeometry(m + 10, m + 128, 272, 108);
    int x = m + 22;
    for (int i = 0; i < 5; ++i) {
        auto *tag = new singleLabel(form);
        tag->setText(QStringList{QStringLiteral("同事"), QStringLiteral("好友"), QStringLiteral("客户"), QStringLiteral("家人"), QStringLiteral("同学")}.at(i));
        tag->setColourIndex(i);
        tag->adjustSize();
        tag->move(x, m + 140);
        x += tag->width() + 8;
    }
    auto *link = new HotLabel(QStringLiteral("查看聊天记录"), form);
    link->move(m + 22, m + 172);
    auto *loading = new CWaitLoading(form);
    loading->setText(QStringLiteral("正在加载…"));
    loading->setGeometry(m + 170, m + 164, 100, 66);
    loading->start();

    auto *edit = new CTextEditEx(form);
    edit->setPlainText(QStringLiteral("这里输入多行文字，最多一百字。"));
    edit->setGeometry(m + 10, m + 248, 272, 70);

    auto *plain = new PushButtonEx(QStringLiteral("取消"), form);
    plain->setGeometry(m + 10, m + 332, 80, 28);
    auto *hovered = new PushButtonEx(QStringLiteral("悬停"), form);
    hovered->setGeometry(m + 100, m + 332, 80, 28);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(hovered, &enter);

    const char *icons[] = {"Resources/images/CommonCtrls/kora_dialog_icon_info.png",
                           "Resources/images/CommonCtrls/kora_dialog_icon_success.png",
                           "Resources/images/CommonCtrls/kora_dialog_icon_question.png"};
    x = m + 10;
    for (const char *icon : icons) {
        auto *button = new CIconButtonEx(form);
        button->setIcon(QString::fromUtf8(icon));
        button->move(x, m + 380);
        x += 40;
    }
    auto *toggle = new CPushButtonIconEx(form);
    toggle->setIcon(QStringLiteral("Resources/images/CommonCtrls/kora_check_tick.png"));
    toggle->setCheckable(true);
    toggle->setChecked(true);
    toggle->move(x, m + 380);
    return form;
}

// A panel on the background only, as the weather and app panels use it.
QWidget *backgroundPanel()
{
    auto *panel = new CBgMainWidgetEx;
    panel->resize(260, 150);
    auto *loading = new CWaitLoading(panel);
    loading->setText(QStringLiteral("正在获取天气…"));
    loading->setGeometry(80, 40, 100, 70);
    loading->setStyleSheet(QStringLiteral("color:#ffffff;"));
    loading->start();
    return panel;
}

SysUIData pictureSkin()
{
    SysUIData skin;
    skin.backgroundPath = QStringLiteral("Resources\\Skins\\bg_main.png");
    skin.paintPicture = true;
    skin.whiteOpacity = 230;
    return skin;
}

} // namespace

void registerControlShots()
{
    const auto add = &GalleryRegistry::add;
    add(QStringLiteral("dialog_180_fail"), [] { return dialog(QStringLiteral("提示"), QStringLiteral("发送失败，请检查网络连接。"), 180, 6, 1); }, {});
    add(QStringLiteral("dialog_180_info"), [] { return dialog(QStringLiteral("提示"), QStringLiteral("您的账号已在其他地方登录。"), 180, 6, 2); }, {});
    add(QStringLiteral("dialog_180_question"), [] { return dialog(QStringLiteral("确认"), QStringLiteral("确定要删除该好友及聊天记录吗？删除后将无法恢复。"), 180, 2 | 4 | 8 | 32, 3); }, {});
    add(QStringLiteral("dialog_180_success"), [] { return dialog(QStringLiteral("提示"), QStringLiteral("修改成功！"), 180, 6, 4); }, {});
    add(QStringLiteral("dialog_180_warning"), [] { return dialog(QStringLiteral("警告"), QStringLiteral("磁盘空间不足，请及时清理。"), 180, 2 | 4 | 16, 5); }, {});
    add(QStringLiteral("dialog_180_noicon"), [] { return dialog(QStringLiteral("提示"), QStringLiteral("当前处于离线状态，无法提交反馈。"), 180, 6, 0); }, {});
    add(QStringLiteral("dialog_200_input"), [] { return dialog(QStringLiteral("修改备注"), QStringLiteral("请输入新的备注名："), 200, 1 | 2 | 4 | 8, 0, QStringLiteral("张小明"), QStringLiteral("备注名最多 16 个字")); }, {});
    add(QStringLiteral("dialog_260_log"), [] { return dialog(QStringLiteral("发现新版本"), LongLog, 260, 2 | 4 | 8 | 16, 0); }, {});
    add(QStringLiteral("dialog_275_text"), [] { return dialog(QStringLiteral("快捷回复"), QStringLiteral("请输入回复内容："), 275, 2 | 4 | 8, 2, QStringLiteral("我现在有事不在，稍后回复您。")); }, {});
    add(QStringLiteral("menu_style0"), [] { return menu(0); }, popup);
    add(QStringLiteral("menu_style1"), [] { return menu(1); }, popup);
    add(QStringLiteral("menu_style2"), [] { return menu(2); }, popup);
    add(QStringLiteral("error_message"), [] { return notice(ErrorMessage::NoInput); }, {});
    add(QStringLiteral("error_message_remark"), [] { return notice(ErrorMessage::RemarkName); }, {});
    add(QStringLiteral("error_message_reply"), [] { return notice(ErrorMessage::ReplyText); }, {});
    add(QStringLiteral("controls"), [] { return controls(); }, {});
    add(QStringLiteral("background_panel"), [] { return backgroundPanel(); }, {});
    add(QStringLiteral("dialog_180_skin"), [] {
        SystemSetData::instance()->setCurrentSkin(pictureSkin());
        QWidget *box = dialog(QStringLiteral("提示"), QStringLiteral("皮肤已更换。"), 180, 6, 4);
        SystemSetData::instance()->setCurrentSkin(SysUIData());
        return box;
    }, {});
}
