// The main window (free and docked), its presence menu and its system menu.
#include "BusParty.h"
#include "GalleryRegistry.h"

#include "bus/PluginManager.h"
#include "common/ResourcePath.h"
#include "mainwindow/DockController.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/PresenceMenu.h"
#include "mainwindow/SystemMenu.h"

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/Commands.h>
#include <lumio/PayloadWriter.h>
#include <lumio/PluginInterface.h>
#include <lumio/VcardInfo.h>

#include <QListWidget>

namespace {

QWidget *contactList()
{
    auto *list = new QListWidget;
    list->setFrameShape(QFrame::NoFrame);
    list->setIconSize(QSize(32, 32));
    list->setStyleSheet(QStringLiteral("QListWidget{background:transparent;}"
                                       "QListWidget::item{height:44px;color:#2b2b2b;}"
                                       "QListWidget::item:hover{background:#eef4fb;}"));
    const QIcon head(ResourcePath::pixmap(QStringLiteral("Resources\\images\\FriendDetail\\defaultHead.png")));
    list->addItem(QStringLiteral("▾ 我的好友 (6/9)"));
    const char *const people[][2] = {{"王芳", "[在线] 周五前交设计稿"}, {"陈磊", "[离开] 开会中"},
                                     {"赵敏", "[忙碌] 请勿打扰"}, {"刘洋", "[在线] "},
                                     {"孙丽", "[在线] 出差北京"}, {"周杰", "[在线] 新项目启动"}};
    for (const auto &person : people)
        list->addItem(new QListWidgetItem(head, QString::fromUtf8(person[0]) + QLatin1Char('\n')
                                                    + QString::fromUtf8(person[1])));
    list->addItem(QStringLiteral("▸ 同事 (12/30)"));
    list->addItem(QStringLiteral("▸ 家人 (2/4)"));
    return list;
}

MainWindow *mainWindow()
{
    static bool registered = false;
    if (!registered) {
        // Stand-ins for the main panel and the own-account plug-in, so the window shows a user and a list.
        static VcardInfo own{QStringLiteral("lin.xiao@lumio.test"), QStringLiteral("lin.xiao"),
                             QStringLiteral("林晓"), QString(), QString(),
                             QStringLiteral("今天也要元气满满"), 1, 0};
        static BusParty panel(Address::MainPanel);
        static BusParty account(Address::OwnAccount);
        panel.answer = [](int command, const QByteArray &) {
            return command == Command::ContactListWidget ? addressOf(contactList()) : QByteArray();
        };
        account.answers.insert(Command::OwnAccount, addressOf(&own));
        PluginManager::instance()->addPlugin(&panel, QStringLiteral("gallery"));
        PluginManager::instance()->addPlugin(&account, QStringLiteral("gallery"));
        registered = true;
    }
    MainWindowSeams seams = MainWindowSeams::defaults();
    seams.quitLoop = [] {};
    auto *window = new MainWindow(seams);
    window->addFriendWidget();
    window->slot_setMyProfileData();
    window->setPresenceCode(1);
    window->setUnreadBadge(QStringLiteral("3"));
    window->resize(280, 650);
    return window;
}

MainWindowSeams &menuSeams()
{
    static MainWindowSeams seams = MainWindowSeams::defaults();
    return seams;
}

const GalleryShotAdder freeWindow(QStringLiteral("main_window"), [] { return mainWindow(); });

const GalleryShotAdder dockedWindow(
    QStringLiteral("main_window_docked"), [] { return mainWindow(); },
    [](QWidget *widget, const QPoint &) {
        auto *window = static_cast<MainWindow *>(widget);
        window->show();
        window->dock()->setStayType(WindowPlacement::Right);
        window->showDocked();
    });

const GalleryShotAdder presenceMenu(
    QStringLiteral("presence_menu"), [] { return new PresenceMenu; },
    [](QWidget *menu, const QPoint &place) { static_cast<QMenu *>(menu)->popup(place); });

const GalleryShotAdder systemMenu(
    QStringLiteral("system_menu"),
    [] {
        auto *holder = new SystemMenu(&menuSeams());
        holder->setNewVersionKnown(true);
        QMenu *menu = holder->mainMenu();
        // The gallery deletes what it shows; the holder goes with it.
        menu->setParent(nullptr, menu->windowFlags());
        QObject::connect(menu, &QObject::destroyed, holder, &QObject::deleteLater);
        return static_cast<QWidget *>(menu);
    },
    [](QWidget *menu, const QPoint &place) { static_cast<QMenu *>(menu)->popup(place); });

} // namespace
