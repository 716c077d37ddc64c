// The reference pack's windows for the screenshots: the real libraries from
// the runnable tree, logged in to the simulator as a demo user.
#include "GalleryRegistry.h"

#include "bus/BusRequest.h"
#include "bus/EventRouter.h"
#include "bus/MainEventProcess.h"
#include "bus/PluginManager.h"

#include <lumio/Addresses.h>
#include <lumio/PayloadWriter.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QPushButton>
#include <QTextEdit>

namespace {

const QString Colleague = QStringLiteral("wangwu@lumio.test");

void waitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

QWidget *visibleWindow(const char *objectName)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(objectName) && w->isVisible())
            return w;
    }
    return nullptr;
}

// Loaded once, on the first pack shot.
void loadPack()
{
    static bool loaded = false;
    if (loaded)
        return;
    loaded = true;
    static PluginManager plugins;
    static EventRouter router(&plugins);
    BusRequest::setBus(&router);
    plugins.setEventManager(&router);
    plugins.loadPlugin();
}

void logIn()
{
    loadPack();
    if (MainEventProcess::isConnected())
        return;
    MainEventProcess::showLoginWindow(QStringLiteral("zhangsan"), QStringLiteral("1"));
    waitFor([] { return MainEventProcess::isConnected(); }, 3000);
    // The shell's start-up would hide it once the main window shows; here it
    // would stand behind the next shots.
    if (QWidget *login = visibleWindow("LoginWindow"))
        login->hide();
}

QWidget *loginWindow()
{
    loadPack();
    MainEventProcess::showLoginWindow(QStringLiteral("zhangsan"), QStringLiteral("0"));
    return visibleWindow("LoginWindow");
}

QWidget *contactList()
{
    logIn();
    // One message waiting, so the list shows its badge.
    BusRequest::postFrom(0x200E, QString::fromLatin1(Address::Contacts),
                         QString::fromLatin1(Address::MainPanel), PayloadWriter::pack(qint32(1)));
    waitFor([] { return !MainEventProcess::unreadMessages().isEmpty(); }, 2000);
    QWidget *list = MainEventProcess::contactListWidget();
    list->resize(280, 600);
    return list;
}

QWidget *demoMenu()
{
    logIn();
    QWidget *list = MainEventProcess::contactListWidget();
    return list ? list->findChild<QMenu *>() : nullptr;
}

QWidget *chatWindow()
{
    logIn();
    MainEventProcess::openChatWindow(true, Colleague);
    QWidget *window = visibleWindow("ChatWindow");
    if (auto *input = window ? window->findChild<QTextEdit *>(QStringLiteral("chatInput")) : nullptr) {
        input->setPlainText(QStringLiteral("周五的需求评审还按原计划开吗？"));
        for (QPushButton *button : window->findChildren<QPushButton *>()) {
            if (button->text().startsWith(QStringLiteral("发送")))
                button->click();
        }
        QElapsedTimer timer;
        timer.start();
        waitFor([&timer] { return timer.elapsed() > 2300; }, 2500);
        input->setPlainText(QStringLiteral("好的，我把原型先发你"));
    }
    return window;
}

const GalleryShotAdder loginShot("pack_login", loginWindow);
const GalleryShotAdder listShot("pack_contact_list", contactList);
const GalleryShotAdder menuShot("pack_demo_menu", demoMenu, [](QWidget *menu, const QPoint &place) {
    static_cast<QMenu *>(menu)->popup(place);
});
const GalleryShotAdder chatShot("pack_chat", chatWindow);

} // namespace
