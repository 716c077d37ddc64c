#include "PackSkin.h"

#include <QIcon>
#include <QWidget>

namespace {

SysUIData &stored()
{
    static SysUIData skin;
    return skin;
}

} // namespace

SysUIData PackSkin::current()
{
    return stored();
}

void PackSkin::set(const SysUIData &skin)
{
    stored() = skin;
}

QString PackSkin::firstColor()
{
    const QColor c = stored().firstColor;
    return c.isValid() ? c.name() : QStringLiteral("#a5e4d7");
}

QString PackSkin::secondColor()
{
    const QColor c = stored().secondColor;
    return c.isValid() ? c.name() : QStringLiteral("#82dac8");
}

QString PackSkin::accentColor()
{
    // The skin's colours are pale backgrounds; white text needs a deeper shade.
    return QColor(secondColor()).darker(140).name();
}

void PackSkin::apply(QWidget *window)
{
    if (!window)
        return;
    if (window->isWindow())
        window->setWindowIcon(QIcon::fromTheme(QStringLiteral("lumio"), QIcon(QStringLiteral(":/lumio-pack/lumio.svg"))));
    // Our own window classes paint their style-sheet background only when asked to.
    window->setAttribute(Qt::WA_StyledBackground, true);
    const QString first = QColor(firstColor()).darker(115).name();
    const QString second = accentColor();
    window->setStyleSheet(QStringLiteral(
        "QWidget { font-family: 'Noto Sans CJK SC'; font-size: 13px; color: #1f2d3d; }"
        "#packHeader { background: qlineargradient(x1:0, y1:0, x2:1, y2:1, stop:0 %1, stop:1 %2); }"
        "#packHeader QLabel { color: #ffffff; }"
        "#packTitle { font-size: 34px; font-weight: bold; }"
        "#packSubtitle { font-size: 14px; }"
        "#packName { font-size: 17px; font-weight: bold; }"
        "QPushButton { background: %2; color: white; border: none; border-radius: 4px;"
        " padding: 6px 16px; }"
        "QPushButton:hover { background: %1; }"
        "QPushButton:disabled { background: #c8d3d0; }"
        "QPushButton#flatButton { background: transparent; color: #35495e; }"
        "QLineEdit, QTextEdit, QComboBox { border: 1px solid #d5dde2; border-radius: 4px;"
        " padding: 5px; background: white; }"
        "QLineEdit:focus, QTextEdit:focus { border-color: %2; }"
        "QComboBox::drop-down { border: none; width: 22px; }"
        "QComboBox::down-arrow { image: url(:/lumio-pack/art/down.svg); width: 10px; height: 6px; }")
                              .arg(first, second));
}
