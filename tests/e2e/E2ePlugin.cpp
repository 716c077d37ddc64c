#include "E2ePlugin.h"

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/Commands.h>
#include <lumio/EventManager.h>
#include <lumio/MessageData.h>
#include <lumio/PayloadReader.h>
#include <lumio/PayloadWriter.h>
#include <lumio/Records.h>
#include <lumio/VcardInfo.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFile>
#include <QHash>
#include <QListWidget>
#include <QMap>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <memory>

namespace {

const QString Driver = QStringLiteral("{E2E0D417-0000-4000-8000-00000000E2E0}");

bool isDriver()
{
    return QStringLiteral(E2E_ADDRESS) == Driver;
}

QByteArray addressOf(const void *object)
{
    PayloadWriter writer;
    writer.writeAddress(object);
    return writer.bytes();
}

QWidget *contactList()
{
    static QPointer<QListWidget> list;
    if (!list) {
        list = new QListWidget;
        list->setObjectName(QStringLiteral("e2eContactList"));
        const int rows = qEnvironmentVariableIntValue("LUMIO_E2E_ROWS");
        for (int i = 0; i < (rows > 0 ? rows : 20); ++i)
            list->addItem(QStringLiteral("联系人 %1").arg(i + 1));
    }
    return list;
}

using Unread = QMap<QString, QList<MessageData>>;

// Each build is its own library with its own statics: the parties meet on the
// application object, where the driver leaves the messages it sent.
const char UnreadProperty[] = "e2eUnread";

Unread *unread()
{
    return reinterpret_cast<Unread *>(qApp->property(UnreadProperty).value<qint64>());
}

// The tray manager is no widget; its menu is, and the menu's actions belong to it.
QObject *trayManager()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (!widget->inherits("QMenu"))
            continue;
        for (QAction *action : widget->actions())
            if (action->parent() && action->parent()->inherits("SystemTrayManager"))
                return action->parent();
    }
    return nullptr;
}

QString trayImage()
{
    QString image;
    if (QObject *tray = trayManager())
        QMetaObject::invokeMethod(tray, "shownImage", Q_RETURN_ARG(QString, image));
    return image;
}

bool flashing(const QString &image)
{
    return image.startsWith(QLatin1String("head:")) || image == QLatin1String("blank");
}

QWidget *topLevel(const char *className)
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->inherits(className))
            return widget;
    return nullptr;
}

QString smallBoxSenders()
{
    QWidget *box = topLevel("SmallMsgBox");
    auto *list = box ? box->findChild<QAbstractItemView *>() : nullptr;
    if (!list || !list->model())
        return {};
    QStringList senders;
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        const QModelIndex index = list->model()->index(row, 0);
        senders << index.data(Qt::UserRole + 9).toString() + QLatin1Char('/')
                       + index.data(Qt::UserRole + 2).toString();
    }
    return QStringLiteral("visible=%1 senders=%2").arg(box->isVisible()).arg(senders.join(QLatin1Char(',')));
}

} // namespace

E2ePlugin::E2ePlugin() = default;

void E2ePlugin::setEventManager(EventManager *manager)
{
    m_bus = manager;
    if (!isDriver() || !m_script.isEmpty())
        return;
    QFile file(qEnvironmentVariable("LUMIO_E2E_SCRIPT"));
    if (!file.open(QIODevice::ReadOnly)) {
        report(QStringLiteral("error no script"));
        return;
    }
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith(QLatin1Char('#')))
            m_script << trimmed;
    }
    // The shell finishes start-up (and shows its log-in) before the script plays.
    QTimer::singleShot(0, this, &E2ePlugin::step);
}

void E2ePlugin::customEvent(QEvent *event)
{
    BaseEvent *e = BaseEvent::cast(event);
    // The driver speaks for nobody: broadcasts must not find it answering as a party.
    if (!e || e->posted() || isDriver())
        return;
    static VcardInfo own{QStringLiteral("alice@lumio.test"), QStringLiteral("alice"),
                         QStringLiteral("Alice"), QString(), QString(), QStringLiteral("测试签名"), 1, 0};
    static UserRecord user{QStringLiteral("alice@lumio.test"), QStringLiteral("alice"),
                           QStringLiteral("alice")};
    switch (e->command()) {
    case Command::ContactListWidget:
        e->setData(addressOf(contactList()));
        break;
    case Command::OwnAccount:
        e->setData(addressOf(&own));
        break;
    case Command::CurrentUser:
        e->setData(addressOf(&user));
        break;
    case Command::IsConnected:
        e->setData(PayloadWriter::pack(true));
        break;
    case Command::UserName:
        e->setData(PayloadWriter::pack(QStringLiteral("Alice")));
        break;
    case Command::UnreadMessages:
        if (Unread *messages = unread())
            e->setData(addressOf(messages));
        break;
    case Command::RemainingUnreadCount: {
        const QString jid = PayloadReader(e->data()).readString();
        e->setData(PayloadWriter::pack(qint32(unread() ? unread()->value(jid).size() : 0)));
        break;
    }
    case Command::MessageHtml:
        e->setData(PayloadWriter::pack(QStringLiteral("<span class=\"e2e\">%1</span>")
                                           .arg(PayloadReader(e->data()).readString())));
        break;
    case Command::ContactCard: {
        static VcardInfo card;
        card = VcardInfo{PayloadReader(e->data()).readString(), QStringLiteral("bob"),
                         QStringLiteral("Bob"), QString(), QString(), QString(), 1, 0};
        e->setData(addressOf(&card));
        break;
    }
    default:
        break;
    }
}

void E2ePlugin::step()
{
    while (m_next < m_script.size()) {
        const QString line = m_script.at(m_next++);
        if (line.startsWith(QLatin1String("wait "))) {
            QTimer::singleShot(line.mid(5).toInt(), this, &E2ePlugin::step);
            return;
        }
        if (!run(line)) {
            // Nothing further can be checked: end the run rather than wait for the test's time-out.
            report(QStringLiteral("error %1").arg(line));
            QCoreApplication::exit(3);
            return;
        }
        if (m_waiting)
            return;
    }
}

QWidget *E2ePlugin::mainWindow() const
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->inherits("MainWindow"))
            return widget;
    return nullptr;
}

bool E2ePlugin::run(const QString &line)
{
    const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString op = words.value(0);
    QWidget *window = mainWindow();
    if (op == QLatin1String("send")) {
        send(words.mid(1));
        return true;
    }
    if (runMessageStep(words) || runPackStep(words))
        return true;
    if (op == QLatin1String("check")) {
        if (!window) {
            report(QStringLiteral("%1 window=0").arg(words.value(1)));
            return true;
        }
        // The presence control shows its text on the button inside it.
        auto *presenceBox = window->findChild<QWidget *>(QStringLiteral("presenceButton"));
        auto *presence = presenceBox ? presenceBox->findChild<QAbstractButton *>() : nullptr;
        auto *list = window->findChild<QListWidget *>(QStringLiteral("e2eContactList"));
        const QRect g = window->geometry();
        report(QStringLiteral("%1 window=1 visible=%2 x=%3 y=%4 w=%5 h=%6 list=%7 presence=%8")
                   .arg(words.value(1)).arg(window->isVisible()).arg(g.x()).arg(g.y())
                   .arg(g.width()).arg(g.height())
                   .arg(list && list->isVisible() ? list->count() : 0)
                   .arg(presence ? presence->text() : QString()));
        return true;
    }
    if (!window)
        return false;
    if (op == QLatin1String("move")) {
        window->move(words.value(1).toInt(), words.value(2).toInt());
        return true;
    }
    if (op == QLatin1String("presence")) {
        auto *menu = window->findChild<QMenu *>(QStringLiteral("presenceMenu"));
        QAction *entry = menu ? menu->findChild<QAction *>(QStringLiteral("pAct") + words.value(1)) : nullptr;
        if (!entry)
            return false;
        entry->trigger();
        return true;
    }
    if (op == QLatin1String("invoke"))
        return QMetaObject::invokeMethod(window, words.value(1).toLatin1().constData());
    return false;
}

// Message steps: "page", "message JID TEXT", "tray NAME PREFIX", "settled NAME",
// "steady NAME MS", "smallbox NAME", "box NAME TEXT". Unknown steps fall through.
bool E2ePlugin::runMessageStep(const QStringList &words)
{
    const QString op = words.value(0);
    const QString name = words.value(1);
    if (op == QLatin1String("page"))
        return placePage();
    if (op == QLatin1String("message")) {
        static Unread messages;
        qApp->setProperty(UnreadProperty, qint64(reinterpret_cast<quintptr>(&messages)));
        MessageData message;
        message.ownerJid = QStringLiteral("alice@lumio.test");
        message.fromJid = name;
        message.fromName = QStringLiteral("Bob");
        message.text = words.mid(2).join(QLatin1Char(' '));
        message.time = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        message.messageId = QStringLiteral("e2e-%1").arg(messages.value(name).size() + 1);
        messages[name].append(message);
        PayloadWriter writer;
        writer << name;
        writer.writeAddress(&messages[name].last());
        BaseEvent event(Command::MessageArrived, writer.bytes(), QString::fromLatin1(Address::Shell), Driver);
        m_bus->send(&event);
        report(QStringLiteral("sent MessageArrived"));
        return true;
    }
    if (op == QLatin1String("tray")) {
        const QString prefix = words.value(2);
        awaitState(name, 10000, trayImage, [prefix](const QString &image) { return image.startsWith(prefix); });
        return true;
    }
    if (op == QLatin1String("settled")) {
        awaitState(name, 5000, trayImage, [](const QString &image) { return !image.isEmpty() && !flashing(image); });
        return true;
    }
    if (op == QLatin1String("steady")) {
        // Counts the flash phases seen over a span longer than two flash ticks.
        auto seen = std::make_shared<int>(0);
        QElapsedTimer clock;
        clock.start();
        const int span = words.value(2).toInt();
        awaitState(name, span + 5000,
                   [seen] {
                       const QString image = trayImage();
                       *seen += flashing(image) ? 1 : 0;
                       return QStringLiteral("flashes=%1 image=%2").arg(*seen).arg(image);
                   },
                   [clock, span](const QString &) { return clock.elapsed() >= span; });
        return true;
    }
    if (op == QLatin1String("smallbox")) {
        awaitState(name, 5000, smallBoxSenders, [](const QString &state) { return state.contains(QLatin1Char('@')); });
        return true;
    }
    if (op == QLatin1String("box")) {
        m_waiting = true;
        pollPage(name, words.mid(2).join(QLatin1Char(' ')), QDateTime::currentMSecsSinceEpoch() + 30000);
        return true;
    }
    return false;
}

void E2ePlugin::awaitState(const QString &name, int timeoutMs, const std::function<QString()> &probe,
                           const std::function<bool(const QString &)> &done)
{
    m_waiting = true;
    const qint64 deadline = QDateTime::currentMSecsSinceEpoch() + timeoutMs;
    auto *timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [=] {
        const QString state = probe();
        const bool reached = done(state);
        if (!reached && QDateTime::currentMSecsSinceEpoch() < deadline)
            return;
        timer->deleteLater();
        report(QStringLiteral("%1 %2%3").arg(name, state, reached ? QString() : QStringLiteral(" timeout")));
        m_waiting = false;
        step();
    });
    timer->start(50);
}

// The page answers only through a callback, so each look is a fresh request.
void E2ePlugin::pollPage(const QString &name, const QString &text, qint64 deadline)
{
    auto retry = [=] {
        if (QDateTime::currentMSecsSinceEpoch() < deadline) {
            QTimer::singleShot(100, this, [=] { pollPage(name, text, deadline); });
            return;
        }
        report(QStringLiteral("%1 timeout").arg(name));
        m_waiting = false;
        step();
    };
    QWidget *box = topLevel("MsgBox");
    auto *view = box ? box->findChild<QWebEngineView *>() : nullptr;
    if (!view || !box->isVisible()) {
        retry();
        return;
    }
    view->page()->runJavaScript(
        QStringLiteral("window.appended ? window.appended.join('|') : ''"), [=](const QVariant &value) {
            const QString html = value.toString();
            if (!html.contains(text)) {
                retry();
                return;
            }
            report(QStringLiteral("%1 visible=1 html=%2").arg(name, html.simplified()));
            m_waiting = false;
            step();
        });
}

bool E2ePlugin::placePage()
{
    BaseEvent ask(Command::MessageFilePath, {}, QString::fromLatin1(Address::Shell), Driver);
    m_bus->send(&ask);
    const QString folder = PayloadReader(ask.data()).readString();
    const QString target = folder + QStringLiteral("/index/msgRecordIndex.html");
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile::remove(target);
    if (folder.isEmpty() || !QFile::copy(qEnvironmentVariable("LUMIO_E2E_PAGE"), target))
        return false;
    report(QStringLiteral("page %1").arg(target));
    return true;
}

void E2ePlugin::send(const QStringList &words)
{
    PayloadWriter writer;
    for (const QString &word : words.mid(1)) {
        const QString value = word.mid(2);
        if (word.startsWith(QLatin1String("s:")))
            writer << value;
        else if (word.startsWith(QLatin1String("i:")))
            writer << qint32(value.toInt());
        else if (word.startsWith(QLatin1String("b:")))
            writer << (value == QLatin1String("1"));
    }
    // Scripts name commands as the SDK header does.
    static const QHash<QString, int> numbers{
#define E2E_COMMAND(name, number) {QStringLiteral(#name), number},
        LUMIO_SHELL_COMMANDS(E2E_COMMAND)
#undef E2E_COMMAND
    };
    const int command = numbers.value(words.value(0), 0);
    if (!command || !m_bus) {
        report(QStringLiteral("error send %1").arg(words.join(QLatin1Char(' '))));
        return;
    }
    BaseEvent event(command, writer.bytes(), QString::fromLatin1(Address::Shell), Driver);
    m_bus->send(&event);
    report(QStringLiteral("sent %1").arg(words.value(0)));
}

void E2ePlugin::report(const QString &line)
{
    QFile file(qEnvironmentVariable("LUMIO_E2E_REPORT"));
    if (file.open(QIODevice::Append))
        file.write(line.toUtf8() + '\n');
}
