#include "ResourcePath.h"

#include "log/ShellLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>

namespace {

QString &baseDirOverride()
{
    static QString dir;
    return dir;
}

} // namespace

QString ResourcePath::normalise(const QString &quoted)
{
    QString path = QDir::fromNativeSeparators(quoted.trimmed());
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (path.startsWith(QLatin1String("./")))
        path.remove(0, 2);
    // Older code spells the images folder three ways; on disk there is one.
    static const QRegularExpression images(QStringLiteral("^Resources/(Images|images|Image|image)/"));
    path.replace(images, QStringLiteral("Resources/images/"));
    return path;
}

void ResourcePath::setBaseDir(const QString &dir)
{
    baseDirOverride() = dir;
}

QString ResourcePath::baseDir()
{
    if (!baseDirOverride().isEmpty())
        return baseDirOverride();
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString ResourcePath::resolve(const QString &quoted, bool workingDirFirst)
{
    const QString relative = normalise(quoted);
    if (relative.isEmpty())
        return QString();
    if (QDir::isAbsolutePath(relative))
        return relative;
    const QString inBase = QDir(baseDir()).filePath(relative);
    if (workingDirFirst) {
        const QString inWorking = QDir::current().filePath(relative);
        if (QFileInfo::exists(inWorking))
            return inWorking;
    }
    if (!QFileInfo::exists(inBase))
        LOG_WARN(QStringLiteral("ResourcePath::resolve: \"%1\" not found in %2").arg(quoted, baseDir()));
    return inBase;
}

QString ResourcePath::absoluteUrls(const QString &styleText)
{
    static const QRegularExpression url(QStringLiteral("url\\(\\s*[\"']?(Resources[\\\\/][^)\"']*)[\"']?\\s*\\)"));
    QString result;
    qsizetype last = 0;
    auto matches = url.globalMatch(styleText);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        result += styleText.mid(last, match.capturedStart() - last);
        result += QStringLiteral("url(%1)").arg(resolve(match.captured(1)));
        last = match.capturedEnd();
    }
    result += styleText.mid(last);
    return result;
}

QString ResourcePath::styleSheet(const QString &quoted)
{
    QFile file(resolve(quoted));
    if (!file.open(QIODevice::ReadOnly)) {
        LOG_WARN(QStringLiteral("ResourcePath::styleSheet: cannot read %1").arg(file.fileName()));
        return QString();
    }
    return absoluteUrls(QString::fromUtf8(file.readAll()));
}

QPixmap ResourcePath::pixmap(const QString &quoted, qreal ratio)
{
    if (ratio <= 0)
        ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    const QString path = resolve(quoted);
    QPixmap picture;
    if (ratio > 1.0) {
        const QFileInfo info(path);
        const QString doubled = info.dir().filePath(info.completeBaseName() + QStringLiteral("@2x.") + info.suffix());
        if (QFileInfo::exists(doubled) && picture.load(doubled)) {
            picture.setDevicePixelRatio(2.0);
            return picture;
        }
    }
    if (!picture.load(path))
        LOG_WARN(QStringLiteral("ResourcePath::pixmap: cannot load %1").arg(path));
    return picture;
}
