#include "MsgLinkOpener.h"

#include "log/ShellLog.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace {

const QString WebMarker = QStringLiteral("web://urllink//");
const QString DirMarker = QStringLiteral("dir://urllink//");
const QString VideoMarker = QStringLiteral("video://urllink//");

MsgLinkOpener::UrlHandler &handler()
{
    static MsgLinkOpener::UrlHandler h;
    return h;
}

bool hand(const QUrl &url)
{
    if (handler())
        return handler()(url);
    return QDesktopServices::openUrl(url);
}

bool openWeb(const QString &text)
{
    const QString trimmed = text.trimmed();
    QUrl url(trimmed, QUrl::StrictMode);
    if (trimmed.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        url = QUrl::fromUserInput(trimmed);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty()
        || (scheme != QLatin1String("http") && scheme != QLatin1String("https")
            && scheme != QLatin1String("ftp"))) {
        LOG_WARN(QStringLiteral("message link not opened: %1").arg(text.left(200)));
        return false;
    }
    return hand(url);
}

bool openDir(const QString &encoded)
{
    QString path = QUrl::fromPercentEncoding(encoded.toUtf8());
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QFileInfo info(path);
    if (path.isEmpty() || path.contains(QLatin1Char('\0')) || !info.isAbsolute()
        || path.split(QLatin1Char('/')).contains(QStringLiteral("..")) || !info.isDir()) {
        LOG_WARN(QStringLiteral("message link names no local folder: %1").arg(path.left(200)));
        return false;
    }
    return hand(QUrl::fromLocalFile(info.canonicalFilePath()));
}

} // namespace

bool MsgLinkOpener::open(const QString &link)
{
    if (link.contains(WebMarker))
        return openWeb(QString(link).remove(WebMarker));
    if (link.contains(DirMarker))
        return openDir(QString(link).remove(DirMarker));
    if (link.contains(VideoMarker))
        return false;
    return openWeb(link);
}

void MsgLinkOpener::setUrlHandler(UrlHandler h)
{
    handler() = std::move(h);
}
