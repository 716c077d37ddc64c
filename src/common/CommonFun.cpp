#include "CommonFun.h"

#include "ChatTimeFormat.h"
#include "HeadImage.h"
#include "HtmlText.h"
#include "InstallInfo.h"
#include "JidParts.h"
#include "PresenceText.h"
#include "ProxySettings.h"
#include "platform/DiskSpace.h"
#include "store/AccountFolder.h"

#include "log/FunctionTrace.h"
#include "log/ShellLog.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFontDatabase>
#include <QRandomGenerator>
#include <QUrl>
#include <QUuid>

#include <atomic>

namespace {

constexpr quint64 UnknownFreeMegabytes = 20000;

struct ProcessValues
{
    std::atomic<quint64> counter{0};
    QString userAccount;
    QString statusText;
    QString iconFontFamily;
    bool iconFontTried = false;
};

ProcessValues &values()
{
    static auto *shared = new ProcessValues;
    return *shared;
}

QString fallbackUniqueId()
{
    static const QLatin1String alphabet("-0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    QString id;
    for (int i = 0; i < 8; ++i)
        id += alphabet[QRandomGenerator::global()->bounded(int(alphabet.size()))];
    return id + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmmsszzz"));
}

QString volumeFolder(const QString &filePath)
{
    const QFileInfo info(filePath);
    return info.isDir() ? info.absoluteFilePath() : info.absolutePath();
}

} // namespace

QString CommonFun::createGuidText()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

QString CommonFun::createUniqueId()
{
    const QUuid uuid = QUuid::createUuid();
    return uuid.isNull() ? fallbackUniqueId() : uuid.toString(QUuid::Id128);
}

QString CommonFun::getAutoIncrementNumber()
{
    const quint64 number = values().counter.fetch_add(1);
    LOG_DEBUG(QStringLiteral("CommonFun::getAutoIncrementNumber(),number=%1").arg(number));
    return QString::number(number);
}

QString CommonFun::formatChatDay(const QString &time)
{
    return ChatTimeFormat::formatChatDay(time);
}

QString CommonFun::formatChatDay(const QString &time, const QDateTime &now)
{
    return ChatTimeFormat::formatChatDay(time, now);
}

QString CommonFun::formatChatDayMs(const QString &time)
{
    return ChatTimeFormat::formatChatDayMs(time);
}

QString CommonFun::formatChatDayMs(const QString &time, const QDateTime &now)
{
    return ChatTimeFormat::formatChatDayMs(time, now);
}

QString CommonFun::formatChatTime(const QString &time)
{
    return ChatTimeFormat::formatChatTime(time);
}

QString CommonFun::formatChatTime(const QString &time, const QDateTime &now)
{
    return ChatTimeFormat::formatChatTime(time, now);
}

QString CommonFun::escapeHtml(const QString &text)
{
    return HtmlText::escapeHtml(text);
}

QString CommonFun::unescapeHtml(const QString &html)
{
    return HtmlText::unescapeHtml(html);
}

QString CommonFun::spacesToNbsp(const QString &text)
{
    return HtmlText::spacesToNbsp(text);
}

void CommonFun::linkifyUrls(QString &text, const QString &style)
{
    HtmlText::linkifyUrls(text, style);
}

int CommonFun::textWeight(const QString &text)
{
    int weight = 0;
    for (const char32_t c : QStringView(text).toUcs4())
        weight += (c >= 0x4E00 && c <= 0x9FA5) ? 2 : 1;
    return weight;
}

QString CommonFun::quoteSql(const QString &value)
{
    return QLatin1Char('\'') + QString(value).replace(QLatin1Char('\''), QLatin1String("''"))
        + QLatin1Char('\'');
}

QString CommonFun::presenceText(int status, int device, bool invisible)
{
    return PresenceText::presenceText(status, device, invisible);
}

QList<QPixmap> CommonFun::presenceIcons(int status, int device)
{
    return PresenceText::presenceIcons(status, device);
}

quint64 CommonFun::diskFreeBytes(const QString &filePath)
{
    if (filePath.isEmpty()) {
        LOG_WARN(QStringLiteral("CommonFun::diskFreeBytes: empty path"));
        return 0;
    }
    const std::optional<DiskSpace::Figures> figures = DiskSpace::query(volumeFolder(filePath));
    return figures ? figures->availableBytes : 0;
}

quint64 CommonFun::diskFreeMegabytes(const QString &path)
{
    const std::optional<DiskSpace::Figures> figures =
        path.isEmpty() ? std::nullopt : DiskSpace::query(volumeFolder(path));
    return figures ? figures->availableBytes >> 20 : UnknownFreeMegabytes;
}

QString CommonFun::jidToFolderName(const QString &jid)
{
    return AccountFolder::fromJid(jid);
}

bool CommonFun::isUsableFolderName(const QString &name)
{
    return AccountFolder::isUsableFolderName(name);
}

QList<XmlRecords::Record> CommonFun::readXmlRecords(const QString &path, const QString &recordTag)
{
    return XmlRecords::readFile(path, recordTag);
}

QString CommonFun::headImagePath(const QString &userFolder, const QString &imageUrl,
                                 const QString &jid, int size)
{
    return HeadImage::path(userFolder, imageUrl, jid, size);
}

QString CommonFun::saveHeadImage(const QString &userFolder, const QString &imageUrl,
                                 const QString &jid, int width, int height, const QPixmap &picture)
{
    return HeadImage::save(userFolder, imageUrl, jid, width, height, picture);
}

QPixmap CommonFun::roundHeadImage(const QPixmap &picture, int diameter)
{
    return HeadImage::round(picture, diameter);
}

QString CommonFun::thisVersion()
{
    return InstallInfo().thisVersion();
}

QString CommonFun::windowTitle()
{
    return InstallInfo().windowTitle();
}

bool CommonFun::setThisVersion(const QString &version)
{
    return InstallInfo().setThisVersion(version);
}

QString CommonFun::iconFontFamily()
{
    ProcessValues &shared = values();
    if (!shared.iconFontTried) {
        shared.iconFontTried = true;
        const QString file = QCoreApplication::applicationDirPath()
            + QStringLiteral("/Resources/BaseConfig/iconfont.ttf");
        const int id = QFontDatabase::addApplicationFont(file);
        const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
        if (families.isEmpty())
            LOG_WARN(QStringLiteral("CommonFun::iconFontFamily: no font in %1").arg(file));
        else
            shared.iconFontFamily = families.first();
    }
    return shared.iconFontFamily;
}

QFont CommonFun::iconFont(int pixelSize)
{
    QFont font(iconFontFamily());
    font.setPixelSize(pixelSize > 0 ? pixelSize : 12);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void CommonFun::setUserAccount(const QString &account)
{
    values().userAccount = account;
}

QString CommonFun::userAccount()
{
    return values().userAccount;
}

QString CommonFun::accountMailAddress(const QString &account)
{
    return InstallInfo().accountMailAddress(account);
}

bool CommonFun::sendMail(const QStringList &addresses, const QString &portalLink)
{
    LOG_FUNCTION();
    QStringList recipients;
    for (const QString &address : addresses) {
        if (!address.trimmed().isEmpty())
            recipients.append(address.trimmed());
    }
    // Mail clients here separate recipients with commas (RFC 6068), not semicolons.
    if (!recipients.isEmpty()
        && QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + recipients.join(QLatin1Char(',')),
                                          QUrl::TolerantMode)))
        return true;
    if (!portalLink.isEmpty() && QDesktopServices::openUrl(QUrl(portalLink, QUrl::TolerantMode)))
        return true;
    LOG_WARN(QStringLiteral("CommonFun::sendMail: neither a mail client nor the portal opened for %1")
                 .arg(recipients.join(QLatin1Char(','))));
    return false;
}

void CommonFun::setStatusText(const QString &text)
{
    values().statusText = text;
}

QString CommonFun::statusText()
{
    return values().statusText;
}

bool CommonFun::proxyEnabled()
{
    return ProxySettings().proxyEnabled();
}

QString CommonFun::proxyServer()
{
    return ProxySettings().proxyServer();
}

QNetworkProxy CommonFun::httpProxy()
{
    return ProxySettings().httpProxy();
}

void CommonFun::applyProxySettings()
{
    ProxySettings().applyToApplication();
}

bool CommonFun::isFullScreenForeground()
{
    // No portable way to inspect other applications' windows here: pop-ups are never held back.
    return false;
}
