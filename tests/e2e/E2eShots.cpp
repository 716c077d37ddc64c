#include "E2eShots.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <functional>

namespace {

const int Margin = 24;

QList<QWidget *> shownWindows()
{
    QList<QWidget *> windows;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        // The tray icon is a window of its own inside the tray host.
        if (widget->isVisible() && !widget->inherits("QSystemTrayIconSys") && widget->width() > 32)
            windows << widget;
    }
    return windows;
}

template <typename T>
QList<T *> shownChildren()
{
    QList<T *> found;
    for (QWidget *window : shownWindows()) {
        if (auto *self = qobject_cast<T *>(window))
            found << self;
        for (T *child : window->findChildren<T *>())
            if (child->isVisible())
                found << child;
    }
    return found;
}

// Spins the event loop until done() or the time is up; the script is linear,
// so nothing else of the driver's runs meanwhile.
bool waitUntil(const std::function<bool()> &done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QEventLoop loop;
        QTimer::singleShot(50, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

QRect trayIcon()
{
    // The icon's owner is no widget; the actions of its menu belong to it.
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        for (QAction *action : widget->actions()) {
            auto *tray = action->parent() ? action->parent()->findChild<QSystemTrayIcon *>() : nullptr;
            if (tray && tray->isVisible())
                return tray->geometry();
        }
    }
    return {};
}

// The tray host's corner.
QRect trayArea()
{
    const QRect icon = trayIcon();
    return icon.isEmpty() ? QRect() : icon.adjusted(-260, -90, Margin, Margin);
}

bool shoot(const QString &name, const QString &mode)
{
    QScreen *screen = QGuiApplication::primaryScreen();
    const QString folder = qEnvironmentVariable("LUMIO_E2E_SHOTS");
    if (!screen || folder.isEmpty() || name.isEmpty())
        return false;
    const QPixmap whole = screen->grabWindow(0);
    QRect area;
    if (mode == QLatin1String("screen")) {
        area = screen->geometry();
    } else if (mode == QLatin1String("tray")) {
        area = trayArea();
    } else {
        // Every shown window, or only those of the class named.
        const QByteArray only = mode.toLatin1();
        for (QWidget *window : shownWindows())
            if (only.isEmpty() || window->inherits(only.constData()))
                area |= window->frameGeometry().adjusted(-Margin, -Margin, Margin, Margin);
    }
    area &= screen->geometry();
    if (whole.isNull() || area.isEmpty())
        return false;
    // The grab is in device pixels whatever the scale factor.
    const qreal scale = qreal(whole.width()) / screen->geometry().width();
    const QRect pixels(area.topLeft() * scale, area.size() * scale);
    QDir().mkpath(folder);
    return whole.copy(pixels).save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

QString plain(QString text)
{
    return text.remove(QLatin1Char(' ')).remove(QLatin1Char('&'));
}

// A field is named by its object name or its placeholder.
bool type(const QString &field, const QString &text)
{
    for (QLineEdit *edit : shownChildren<QLineEdit>()) {
        if (edit->isEnabled() && (edit->objectName() == field || edit->placeholderText() == field)) {
            edit->setText(text);
            return true;
        }
    }
    for (QTextEdit *edit : shownChildren<QTextEdit>()) {
        if (edit->objectName() == field || edit->placeholderText() == field) {
            edit->setPlainText(text);
            return true;
        }
    }
    return false;
}

bool click(const QString &label)
{
    for (QAbstractButton *button : shownChildren<QAbstractButton>()) {
        if (button->isEnabled() && plain(button->text()) == label) {
            button->click();
            return true;
        }
    }
    return false;
}

QModelIndex find(const QAbstractItemModel *model, const QString &value, const QModelIndex &parent = {})
{
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        for (int role = Qt::UserRole; role < Qt::UserRole + 16; ++role)
            if (index.data(role).toString() == value)
                return index;
        if (index.data().toString() == value)
            return index;
        const QModelIndex inside = find(model, value, index);
        if (inside.isValid())
            return inside;
    }
    return {};
}

// A real double-click on the row, so the view's own signals run.
bool open(const QString &value)
{
    for (QAbstractItemView *view : shownChildren<QAbstractItemView>()) {
        const QModelIndex index = view->model() ? find(view->model(), value) : QModelIndex();
        if (!index.isValid())
            continue;
        view->scrollTo(index);
        QWidget *port = view->viewport();
        const QPointF at = view->visualRect(index).center();
        const QPointF global = port->mapToGlobal(at);
        for (QEvent::Type kind : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                  QEvent::MouseButtonRelease}) {
            const bool down = kind != QEvent::MouseButtonRelease;
            QMouseEvent event(kind, at, global, Qt::LeftButton, down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(port, &event);
        }
        return true;
    }
    return false;
}

bool trigger(const QString &label)
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (!widget->inherits("QMenu"))
            continue;
        for (QAction *action : widget->actions()) {
            if (action->isEnabled() && plain(action->text()) == label) {
                action->trigger();
                return true;
            }
        }
    }
    return false;
}

// The menu runs its own loop: it opens on the next turn, once this step has
// returned, and the script's next steps play inside that loop.
bool popUp(const QString &label)
{
    for (QToolButton *button : shownChildren<QToolButton>()) {
        if (button->menu() && plain(button->text()) == label) {
            QTimer::singleShot(0, button, &QToolButton::showMenu);
            return true;
        }
    }
    return false;
}

bool shown(const QString &className, int ms)
{
    const QByteArray name = className.toLatin1();
    return waitUntil([&name] {
        for (QWidget *window : shownWindows())
            if (window->inherits(name.constData()) || window->objectName() == QLatin1String(name))
                return true;
        return false;
    }, ms);
}

} // namespace

bool E2eShots::handles(const QString &op)
{
    static const QStringList ops{QStringLiteral("shot"), QStringLiteral("type"), QStringLiteral("click"),
                                 QStringLiteral("open"), QStringLiteral("trigger"), QStringLiteral("popup"),
                                 QStringLiteral("escape"), QStringLiteral("until"),
                                 QStringLiteral("hover")};
    return ops.contains(op);
}

bool E2eShots::run(const QStringList &words)
{
    const QString op = words.value(0);
    const QString what = words.value(1);
    const QString rest = words.mid(2).join(QLatin1Char(' '));
    if (op == QLatin1String("shot"))
        return shoot(what, rest);
    if (op == QLatin1String("type"))
        return type(what, rest);
    if (op == QLatin1String("click"))
        return click(what);
    if (op == QLatin1String("open"))
        return open(what);
    if (op == QLatin1String("trigger"))
        return trigger(what);
    if (op == QLatin1String("popup"))
        return popUp(what);
    if (op == QLatin1String("hover")) {
        // The tray watches the pointer, as it would a user's.
        const QRect icon = trayIcon();
        if (what != QLatin1String("tray") || icon.isEmpty())
            return false;
        QCursor::setPos(icon.center());
        return true;
    }
    if (op == QLatin1String("until"))
        return shown(what, rest.isEmpty() ? 15000 : rest.toInt());
    if (op == QLatin1String("escape")) {
        QWidget *popup = QApplication::activePopupWidget();
        if (popup)
            popup->close();
        return popup != nullptr;
    }
    return false;
}
