#include "TrayImages.h"

#include "bus/MainEventProcess.h"
#include "common/CommonFun.h"
#include "common/ResourcePath.h"
#include "log/ShellLog.h"

#include <QDir>

namespace {

const QString TrayDir = QStringLiteral("Resources\\Images\\SysTrayIcon\\");
const QString OnlineIcon = TrayDir + QStringLiteral("kora_ic_taskbar.png");
const QString PublicDefaultHead = QStringLiteral("Resources\\images\\FriendDetail\\g_portrait_default_online.png");
const QString DefaultHead = QStringLiteral("Resources\\images\\FriendDetail\\defaultHead.png");
const QString GroupHead = QStringLiteral("Resources\\images\\CommonCtrls\\kora_muchead_min.png");

QPixmap loadQuoted(const QString &quoted)
{
    return QPixmap(ResourcePath::resolve(quoted));
}

} // namespace

QString TrayImages::presenceIcon(int code)
{
    switch (code) {
    case 0:
        return TrayDir + QStringLiteral("kora_ic_taskbar_offline.png");
    case 2:
        return TrayDir + QStringLiteral("kora_ic_taskbar_away.png");
    case 4:
        return TrayDir + QStringLiteral("kora_ic_taskbar_busy.png");
    default:
        return OnlineIcon;
    }
}

QString TrayImages::stateText(int code, bool afterLogin)
{
    switch (code) {
    case 0:
        return QStringLiteral("离线");
    case 1:
    case 5:
        return QStringLiteral("在线");
    case 2:
        return QStringLiteral("离开");
    case 4:
        return QStringLiteral("忙碌");
    default:
        return afterLogin ? QStringLiteral("在线") : QString();
    }
}

QString TrayImages::loginFrame(int index)
{
    return TrayDir + (index == 2 ? QStringLiteral("loading2.png") : QStringLiteral("loading1.png"));
}

QPixmap TrayImages::headImageOf(const QString &jid)
{
    const auto cached = m_cache.constFind(jid);
    if (cached != m_cache.cend())
        return *cached;

    QPixmap picture;
    if (jid.contains(QStringLiteral("conference"))) {
        picture = loadQuoted(GroupHead);
    } else {
        QString path;
        if (jid.contains(QStringLiteral("pa")) || MainEventProcess::isPublicAccount(jid)) {
            path = MainEventProcess::publicAccount(jid).imagePath;
            if (path.isEmpty())
                path = PublicDefaultHead;
        } else {
            path = MainEventProcess::contactCard(jid).headImagePath;
        }
        if (!path.isEmpty())
            picture = QDir::isAbsolutePath(path) ? QPixmap(path) : loadQuoted(path);
        if (picture.isNull()) {
            if (!path.isEmpty())
                LOG_WARN(QStringLiteral("TrayImages: cannot load head image %1 of %2").arg(path, jid));
            picture = loadQuoted(DefaultHead);
        }
    }
    const QPixmap round = CommonFun::roundHeadImage(picture, HeadSize);
    m_cache.insert(jid, round);
    return round;
}


