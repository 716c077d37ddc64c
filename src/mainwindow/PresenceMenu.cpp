#include "PresenceMenu.h"

#include "bus/MainEventProcess.h"

#include "common/ResourcePath.h"

#include <QAction>
#include <QIcon>

namespace {

const int EntryCodes[] = {PresenceMenu::Online, PresenceMenu::Away, PresenceMenu::Busy,
                          PresenceMenu::Invisible, PresenceMenu::Offline};

} // namespace

PresenceMenu::PresenceMenu(QWidget *parent)
    : CMenuEx(parent)
{
    setObjectName(QStringLiteral("presenceMenu"));
    setMenuStyle(0);
    const char *texts[] = {" 在线", " 离开", " 忙碌", " 隐身", " 离线"};
    for (int i = 0; i < 5; ++i) {
        QAction *action = addAction(QString::fromUtf8(texts[i]));
        action->setObjectName(QStringLiteral("pAct%1").arg(i + 1));
        action->setIcon(QIcon(ResourcePath::pixmap(iconOf(EntryCodes[i]))));
    }
}

QAction *PresenceMenu::entry(int index) const
{
    return actions().value(index - 1);
}

int PresenceMenu::codeOfEntry(int index)
{
    return index >= 1 && index <= 5 ? EntryCodes[index - 1] : Online;
}

QString PresenceMenu::textOf(int code)
{
    switch (code) {
    case Offline:
        return QStringLiteral("离线");
    case Away:
        return QStringLiteral("离开");
    case Busy:
        return QStringLiteral("忙碌");
    case Invisible:
        return QStringLiteral("隐身");
    default:
        // 3 is the idle mark of an online user; unknown codes read as online too.
        return QStringLiteral("在线");
    }
}

QString PresenceMenu::iconOf(int code)
{
    const char *name = "ic_web_pc_light";
    if (code == Offline || code == Invisible)
        name = "ic_web_offline_light";
    else if (code == Away)
        name = "ic_web_away_light";
    else if (code == Busy)
        name = "ic_web_busy_light";
    return QStringLiteral("Resources\\images\\status\\%1.png").arg(QLatin1String(name));
}

void PresenceMenu::setCode(int code)
{
    m_code = code;
    emit presenceChanged(code);
}

void PresenceMenu::choose(int code, const QString &statusText)
{
    const bool leavingOffline = m_code == Offline && code != Offline;
    MainEventProcess::tellPresence(code);
    MainEventProcess::setPresence(code);
    MainEventProcess::presenceChosen();
    MainEventProcess::choosePresence(textOf(code), statusText, code);
    if (saveCode)
        saveCode(code);
    if (code == Offline) {
        MainEventProcess::setAllOffline();
        MainEventProcess::panelDisconnect();
    } else if (leavingOffline) {
        MainEventProcess::announceOnline();
    }
    setCode(code);
}
