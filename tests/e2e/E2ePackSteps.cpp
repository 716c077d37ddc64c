#include "E2ePlugin.h"

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/Commands.h>
#include <lumio/EventManager.h>
#include <lumio/MessageData.h>
#include <lumio/PayloadReader.h>
#include <lumio/VcardInfo.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QListView>
#include <QMap>
#include <QDateTime>
#include <QMenu>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

// Steps against the real plug-in pack, reaching its widgets as a user sees them:
// "mainwindow NAME shown|minimised", "demo LABEL COUNT", "unread NAME MESSAGES",
// "msgbox NAME SENDERS", "msgbox-open", "msgbox-close", "smallbox-count NAME COUNT",
// "own NAME PRESENCE", "window NAME OBJECT", "boxpage NAME MESSAGES".

namespace {

const QString DriverAddress = QStringLiteral(E2E_ADDRESS);

QWidget *topLevelOf(const char *className)
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->inherits(className))
            return widget;
    return nullptr;
}

int leafRows(const QAbstractItemModel *model, const QModelIndex &parent = {})
{
    int leaves = 0;
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        leaves += model->hasChildren(index) ? leafRows(model, index) : 1;
    }
    return leaves;
}

QAbstractItemView *contactView(QWidget *window)
{
    return window ? window->findChild<QAbstractItemView *>(QStringLiteral("frdListView")) : nullptr;
}

QString mainWindowState()
{
    QWidget *window = topLevelOf("MainWindow");
    if (!window)
        return QStringLiteral("window=0");
    QAbstractItemView *contacts = contactView(window);
    return QStringLiteral("window=1 visible=%1 minimised=%2 contacts=%3")
        .arg(window->isVisible())
        .arg(window->isMinimized())
        .arg(contacts && contacts->model() && contacts->isVisibleTo(window) ? leafRows(contacts->model()) : 0);
}

QAction *demoAction(const QString &label)
{
    QAbstractItemView *contacts = contactView(topLevelOf("MainWindow"));
    QWidget *panel = contacts ? contacts->parentWidget() : nullptr;
    if (!panel)
        return nullptr;
    for (QMenu *menu : panel->findChildren<QMenu *>())
        for (QAction *action : menu->actions())
            if (action->text() == label)
                return action;
    return nullptr;
}

// Rows of the unread box's sender list: "jid:count,...".
QString unreadBoxState()
{
    QWidget *box = topLevelOf("MsgBox");
    auto *senders = box ? box->findChild<QListView *>() : nullptr;
    if (!senders || !senders->model())
        return QStringLiteral("box=0");
    QStringList rows;
    for (int row = 0; row < senders->model()->rowCount(); ++row) {
        const QModelIndex index = senders->model()->index(row, 0);
        rows << index.data(Qt::UserRole + 9).toString();
    }
    return QStringLiteral("visible=%1 senders=%2 rows=%3")
        .arg(box->isVisible()).arg(rows.size()).arg(rows.join(QLatin1Char(',')));
}

// The small box's rows with their unread counts: "jid(count),...".
QString smallBoxCounts()
{
    QWidget *box = topLevelOf("SmallMsgBox");
    auto *list = box ? box->findChild<QAbstractItemView *>() : nullptr;
    if (!list || !list->model())
        return QStringLiteral("box=0");
    QStringList rows;
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        const QModelIndex index = list->model()->index(row, 0);
        rows << index.data(Qt::UserRole + 9).toString() + index.data(Qt::UserRole + 6).toString();
    }
    return QStringLiteral("visible=%1 rows=%2").arg(box->isVisible()).arg(rows.join(QLatin1Char(',')));
}

// Titles of the shown top-level windows of that object name.
QString shownTitles(const QString &objectName)
{
    QStringList titles;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->objectName() == objectName && widget->isVisible())
            titles << widget->windowTitle();
    return QStringLiteral("shown=%1 titles=%2").arg(titles.size()).arg(titles.join(QLatin1Char(',')));
}

QAbstractButton *unreadBoxButton(const std::function<bool(QAbstractButton *)> &match)
{
    QWidget *box = topLevelOf("MsgBox");
    if (!box || !box->isVisible())
        return nullptr;
    for (QAbstractButton *button : box->findChildren<QAbstractButton *>())
        if (button->isVisibleTo(box) && button->isEnabled() && match(button))
            return button;
    return nullptr;
}

} // namespace

bool E2ePlugin::runPackStep(const QStringList &words)
{
    const QString op = words.value(0);
    const QString name = words.value(1);
    if (op == QLatin1String("mainwindow")) {
        const bool minimised = words.value(2) == QLatin1String("minimised");
        awaitState(name, 20000, mainWindowState, [minimised](const QString &state) {
            if (minimised)
                return state.contains(QLatin1String("minimised=1"));
            return state.contains(QLatin1String("visible=1 minimised=0"))
                && !state.endsWith(QLatin1String("contacts=0"));
        });
        return true;
    }
    if (op == QLatin1String("demo")) {
        QAction *action = demoAction(name);
        if (!action)
            return false;
        const int count = qMax(1, words.value(2).toInt());
        for (int i = 0; i < count; ++i)
            action->trigger();
        report(QStringLiteral("demo %1 x%2").arg(name).arg(count));
        return true;
    }
    if (op == QLatin1String("unread")) {
        const int expected = words.value(2).toInt();
        awaitState(name, 10000, [this] { return unreadMessages(); },
                   [expected](const QString &state) {
                       return state.startsWith(QStringLiteral("messages=%1 ").arg(expected));
                   });
        return true;
    }
    if (op == QLatin1String("msgbox")) {
        const QString senders = QStringLiteral("visible=1 senders=%1 ").arg(words.value(2));
        awaitState(name, 20000, unreadBoxState,
                   [senders](const QString &state) { return state.startsWith(senders); });
        return true;
    }
    if (op == QLatin1String("msgbox-open") || op == QLatin1String("msgbox-close")) {
        const bool open = op == QLatin1String("msgbox-open");
        QAbstractButton *button = unreadBoxButton([open](QAbstractButton *b) {
            return open ? b->text() == QStringLiteral("查看") : b->objectName() == QLatin1String("pushButton_close");
        });
        if (!button)
            return false;
        button->click();
        return true;
    }
    if (op == QLatin1String("smallbox-count")) {
        const QString count = QStringLiteral("(%1)").arg(words.value(2));
        awaitState(name, 10000, smallBoxCounts, [count](const QString &state) {
            return state.startsWith(QLatin1String("visible=1")) && state.contains(count);
        });
        return true;
    }
    if (op == QLatin1String("window")) {
        const QString objectName = words.value(2);
        awaitState(name, 10000, [objectName] { return shownTitles(objectName); },
                   [](const QString &state) { return !state.startsWith(QLatin1String("shown=0")); });
        return true;
    }
    if (op == QLatin1String("boxpage")) {
        m_waiting = true;
        pollBoxPage(name, words.value(2).toInt(), QDateTime::currentMSecsSinceEpoch() + 15000);
        return true;
    }
    if (op == QLatin1String("own")) {
        const QString presence = QStringLiteral("presence=") + words.value(2);
        awaitState(name, 10000, [this] { return ownAccount(); },
                   [presence](const QString &state) { return state.endsWith(presence); });
        return true;
    }
    return false;
}

// The pack's page keeps one child of #messages per message shown.
void E2ePlugin::pollBoxPage(const QString &name, int expected, qint64 deadline)
{
    auto *view = topLevelOf("MsgBox") ? topLevelOf("MsgBox")->findChild<QWebEngineView *>() : nullptr;
    if (!view) {
        report(QStringLiteral("%1 no page").arg(name));
        m_waiting = false;
        step();
        return;
    }
    view->page()->runJavaScript(
        QStringLiteral("(function () { var m = document.getElementById('messages');"
                       " return m ? m.children.length : -1; })()"),
        [=](const QVariant &value) {
            const int shown = value.toInt();
            if (shown != expected && QDateTime::currentMSecsSinceEpoch() < deadline) {
                QTimer::singleShot(100, this, [=] { pollBoxPage(name, expected, deadline); });
                return;
            }
            report(QStringLiteral("%1 messages=%2%3").arg(name).arg(shown)
                       .arg(shown == expected ? QString() : QStringLiteral(" timeout")));
            m_waiting = false;
            step();
        });
}

// Asked of the chat party the way the shell asks: its unread messages by sender.
QString E2ePlugin::unreadMessages()
{
    BaseEvent ask(Command::UnreadMessages, {}, QString::fromLatin1(Address::Chat), DriverAddress);
    m_bus->send(&ask);
    const auto *unread = PayloadReader(ask.data()).readPointer<QMap<QString, QList<MessageData>>>();
    if (!unread)
        return QStringLiteral("no answer");
    int total = 0;
    QStringList senders;
    for (auto it = unread->cbegin(); it != unread->cend(); ++it) {
        QStringList types;
        for (const MessageData &message : it.value())
            types << QString::number(message.type);
        total += int(types.size());
        senders << it.key() + QLatin1Char(':') + types.join(QLatin1Char('/'));
    }
    return QStringLiteral("messages=%1 senders=%2").arg(total).arg(senders.join(QLatin1Char(',')));
}

QString E2ePlugin::ownAccount()
{
    BaseEvent ask(Command::OwnAccount, {}, QString::fromLatin1(Address::OwnAccount), DriverAddress);
    m_bus->send(&ask);
    const auto *own = PayloadReader(ask.data()).readPointer<VcardInfo>();
    return own ? QStringLiteral("jid=%1 presence=%2").arg(own->jid).arg(own->presence) : QStringLiteral("no answer");
}
