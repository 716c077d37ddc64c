#include "PresenceText.h"

#include "log/ShellLog.h"

#include <QCoreApplication>

namespace {

enum Status { Offline = 0, Online = 1, Away = 2, Busy = 4, Invisible = 5, MobileOnly = 7 };
enum Device { NoDevice = 0, Android = 1, Apple = 2 };

const QString OfflineIcon = QStringLiteral("Resources/images/status/ic_web_offline_light.png");
const QString PcIcon = QStringLiteral("Resources/images/status/ic_web_pc_light.png");
const QString AwayIcon = QStringLiteral("Resources/images/status/ic_web_away_light.png");
const QString BusyIcon = QStringLiteral("Resources/images/status/ic_web_busy_light.png");
const QString AndroidIcon = QStringLiteral("Resources/images/status/ic_web_android_light.png");
const QString AppleIcon = QStringLiteral("Resources/images/status/ic_web_apple_light.png");

bool onPc(int status)
{
    return status == Online || status == Away || status == Busy;
}

} // namespace

QString PresenceText::presenceText(int status, int device, bool invisible)
{
    return QLatin1Char('(') + presenceLabel(status, device, invisible) + QLatin1Char(')');
}

QString PresenceText::presenceLabel(int status, int device, bool invisible)
{
    // Negative codes are not in the protocol: shown as offline rather than online.
    if (status <= Offline)
        return QStringLiteral("离线");
    if (status == Invisible)
        return invisible ? QStringLiteral("隐身") : QStringLiteral("离线");
    if (onPc(status)) {
        switch (device) {
        case NoDevice:
            return status == Online ? QStringLiteral("在线")
                 : status == Away   ? QStringLiteral("离开")
                                    : QStringLiteral("忙碌");
        case Android:
            return QStringLiteral("PC、安卓在线");
        case Apple:
            return QStringLiteral("PC、苹果在线");
        default:
            return QStringLiteral("PC、手机在线");
        }
    }
    if (status == MobileOnly) {
        switch (device) {
        case Android:
            return QStringLiteral("安卓在线");
        case Apple:
            return QStringLiteral("苹果在线");
        default:
            return QStringLiteral("手机在线");
        }
    }
    return QStringLiteral("在线");
}

QStringList PresenceText::presenceIconPaths(int status, int device)
{
    if (status <= Offline || status == Invisible)
        return {OfflineIcon};
    if (onPc(status)) {
        switch (device) {
        case NoDevice:
            return {status == Online ? PcIcon : status == Away ? AwayIcon : BusyIcon};
        case Android:
            return {PcIcon, AndroidIcon};
        case Apple:
            return {PcIcon, AppleIcon};
        default:
            return {PcIcon};
        }
    }
    if (status == MobileOnly && device == Android)
        return {AndroidIcon};
    if (status == MobileOnly && device == Apple)
        return {AppleIcon};
    return {PcIcon};
}

QList<QPixmap> PresenceText::presenceIcons(int status, int device)
{
    QList<QPixmap> icons;
    const QString base = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    for (const QString &path : presenceIconPaths(status, device)) {
        const QPixmap icon(base + path);
        if (icon.isNull())
            LOG_WARN(QStringLiteral("PresenceText::presenceIcons: cannot load %1").arg(base + path));
        else
            icons.append(icon);
    }
    return icons;
}
