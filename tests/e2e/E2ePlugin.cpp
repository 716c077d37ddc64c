#include "E2ePlugin.h"

#include <lumio/Addresses.h>
#include <lumio/BaseEvent.h>
#include <lumio/Commands.h>
#include <lumio/EventManager.h>
#include <lumio/PayloadWriter.h>
#include <lumio/Records.h>
#include <lumio/VcardInfo.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHash>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QTimer>

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
    if (!e || e->posted())
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
