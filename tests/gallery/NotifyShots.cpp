// The tray's two menus and the small message box, fed by a stand-in plug-in
// that knows a handful of contacts.
#include "BusParty.h"
#include "GalleryRegistry.h"

#include "bus/BusRequest.h"
#include "bus/EventRouter.h"
#include "bus/MainSignalSender.h"
#include "bus/PluginManager.h"
#include "notify/SmallMsgBox.h"
#include "notify/SystemTrayManager.h"
#include "ui/CMenuEx.h"

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/Commands.h>
#include <lumio/PayloadReader.h>
#include <lumio/PayloadWriter.h>
#include <lumio/PluginInterface.h>
#include <lumio/Records.h>
#include <lumio/VcardInfo.h>

#include <QMenu>

namespace {

QHash<QString, QString> names()
{
    return {{"zq1001", "张小明"}, {"zq1002", "李思思"}, {"zq1003", "王建国"}, {"zq1004", "陈晓燕"},
            {"zq1005", "刘洋"}, {"zq1006", "赵雪梅"}, {"zq1007", "周子轩（市场部华东区）"},
            {"zq1008", "吴婷"}, {"zq1009", "孙浩然"}};
}

// Answers the boxes' questions about people and groups as the contact parties would.
void answerDirectory(BaseEvent *e)
{
    const QString jid = PayloadReader(e->data()).readString();
    const QString user = jid.section(QLatin1Char('@'), 0, 0);
    switch (e->command()) {
    case Command::KnowsContact:
        e->setData(PayloadWriter::pack(jid.startsWith(QStringLiteral("zq"))));
        break;
    case Command::ContactCard: {
        static VcardInfo card;
        card = VcardInfo();
        card.jid = jid;
        card.remarkName = names().value(user);
        e->setData(addressOf(&card));
        break;
    }
    case Command::RemainingUnreadCount:
        e->setData(PayloadWriter::pack(qint32(1 + (qHash(jid) % 9))));
        break;
    case Command::Group: {
        static GroupRecord group;
        group.name = QStringLiteral("产品研发部");
        e->setData(addressOf(&group));
        break;
    }
    default:
        break;
    }
}

void ensureBus()
{
    static PluginManager plugins;
    static EventRouter router(&plugins);
    static bool ready = false;
    if (ready)
        return;
    ready = true;
    for (const char *address : {Address::Chat, Address::ContactCard, Address::GroupChat, Address::Contacts}) {
        auto *party = new BusParty(address);
        party->onEvent = answerDirectory;
        plugins.addPlugin(party, QStringLiteral("gallery"));
    }
    BusRequest::setBus(&router);
}

QWidget *smallBox(int senders)
{
    ensureBus();
    SmallMsgBox *box = SmallMsgBox::instance();
    box->removeAll();
    const QStringList jids{"zq1001@lumio", "6005626532@lumio", "zq1002@lumio", "rd@conference.lumio",
                           "zq1003@lumio", "zq1004@lumio", "zq1005@lumio", "zq1006@lumio",
                           "zq1007@lumio", "zq1008@lumio", "zq1009@lumio"};
    for (int n = 0; n < senders && n < jids.size(); ++n)
        box->setdata(jids.at(n), QStringLiteral("10:%1").arg(n, 2, 10, QLatin1Char('0')), 0);
    box->updateShowSmallMsgBox();
    return box;
}

// A menu of the tray's own entries; the tray keeps its menu, the copy is photographed.
QWidget *trayMenu(bool loggedIn)
{
    ensureBus();
    SystemTrayManager *tray = SystemTrayManager::instance();
    if (loggedIn)
        emit MainSignalSender::instance()->signal_login();
    else
        tray->initOfflineMenu();
    auto *menu = new CMenuEx;
    menu->addActions(tray->trayMenu()->actions());
    menu->setMenuStyle(2);
    return menu;
}

void popup(QWidget *widget, const QPoint &at)
{
    auto *menu = static_cast<QMenu *>(widget);
    menu->popup(at);
    menu->setActiveAction(menu->actions().value(1));
}

const GalleryShotAdder trayMenuOffline("tray_menu_login", [] { return trayMenu(false); }, popup);
const GalleryShotAdder trayMenuFull("tray_menu", [] { return trayMenu(true); }, popup);
const GalleryShotAdder smallBoxOne("small_msg_box_1", [] { return smallBox(1); });
const GalleryShotAdder smallBoxEleven("small_msg_box_11", [] { return smallBox(11); });

} // namespace
