#include "InstallInfo.h"

#include "log/FunctionTrace.h"
#include "log/ShellLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryFile>
#include <QTextCodec>
#include <QVariant>

namespace {

const QString DefaultVersion = QStringLiteral("2.3.1.0");
const QString DefaultTitle = QStringLiteral("Lumio2015");

// Version.ini may come from an older client that wrote GBK; Qt reads INI files as UTF-8.
QByteArray asUtf8(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return bytes;
    QTextCodec *gbk = QTextCodec::codecForName("GBK");
    return gbk ? gbk->toUnicode(bytes).toUtf8() : bytes;
}

QByteArray readBytes(const QString &path, bool *ok)
{
    QFile file(path);
    *ok = file.open(QIODevice::ReadOnly);
    return *ok ? file.readAll() : QByteArray();
}

bool replaceFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

// An unquoted "a, b" reads as a list; it was meant as one text.
QString textOf(const QVariant &value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

QString iniValue(const QString &path, const QString &key)
{
    if (!QFileInfo::exists(path))
        return {};
    bool ok = false;
    const QByteArray bytes = readBytes(path, &ok);
    if (!ok) {
        LOG_WARN(QStringLiteral("InstallInfo: cannot read %1").arg(path));
        return {};
    }
    const QByteArray utf8 = asUtf8(bytes);
    if (utf8 == bytes)
        return textOf(QSettings(path, QSettings::IniFormat).value(key)).trimmed();
    QTemporaryFile copy;
    if (!copy.open() || copy.write(utf8) != utf8.size() || !copy.flush()) {
        LOG_WARN(QStringLiteral("InstallInfo: cannot decode %1").arg(path));
        return {};
    }
    return textOf(QSettings(copy.fileName(), QSettings::IniFormat).value(key)).trimmed();
}

bool writeIniValue(const QString &path, const QString &key, const QString &value)
{
    if (QFileInfo::exists(path)) {
        bool ok = false;
        const QByteArray bytes = readBytes(path, &ok);
        const QByteArray utf8 = ok ? asUtf8(bytes) : QByteArray();
        if (!ok || (utf8 != bytes && !replaceFile(path, utf8)))
            return false;
    } else if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        return false;
    }
    QSettings ini(path, QSettings::IniFormat);
    ini.setValue(key, value);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

} // namespace

InstallInfo::InstallInfo()
    : InstallInfo(defaultVersionFile(), defaultInstallFile())
{
}

InstallInfo::InstallInfo(const QString &versionFile, const QString &installFile)
    : m_versionFile(versionFile)
    , m_installFile(installFile)
{
}

QString InstallInfo::defaultVersionFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
        + QStringLiteral("/TavrinIm/Version.ini");
}

QString InstallInfo::defaultInstallFile()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/install.ini");
}

QString InstallInfo::installValue(const QString &key) const
{
    return iniValue(m_installFile, key);
}

QString InstallInfo::versionValue(const QString &key) const
{
    return iniValue(m_versionFile, key);
}

QString InstallInfo::thisVersion() const
{
    QString version = versionValue(QStringLiteral("ThisVersion/thisversion"));
    if (version.isEmpty())
        version = installValue(QStringLiteral("Installation/ThisVersion"));
    return version.isEmpty() ? DefaultVersion : version;
}

QString InstallInfo::windowTitle() const
{
    QString title = versionValue(QStringLiteral("windowTitle/title"));
    if (title.isEmpty())
        title = installValue(QStringLiteral("Installation/WindowTitle"));
    return title.isEmpty() ? DefaultTitle : title;
}

bool InstallInfo::setThisVersion(const QString &version) const
{
    LOG_FUNCTION();
    if (version.trimmed().isEmpty()) {
        LOG_WARN(QStringLiteral("InstallInfo::setThisVersion: empty version refused"));
        return false;
    }
    if (!writeIniValue(m_versionFile, QStringLiteral("ThisVersion/thisversion"), version)) {
        LOG_WARN(QStringLiteral("InstallInfo::setThisVersion: cannot write %1").arg(m_versionFile));
        return false;
    }
    if (QFileInfo(m_installFile).isWritable()
        && !writeIniValue(m_installFile, QStringLiteral("Installation/ThisVersion"), version))
        LOG_WARN(QStringLiteral("InstallInfo::setThisVersion: cannot write %1").arg(m_installFile));
    return true;
}

QString InstallInfo::accountMailAddress(const QString &account) const
{
    const QString trimmed = account.trimmed();
    if (trimmed.isEmpty())
        return {};
    const QString serviceAccount = installValue(QStringLiteral("Mail/ServiceAccount"));
    if (!serviceAccount.isEmpty() && trimmed == serviceAccount)
        return installValue(QStringLiteral("Mail/SupportAddress"));
    const QString domain = installValue(QStringLiteral("Mail/Domain"));
    if (domain.isEmpty()) {
        LOG_WARN(QStringLiteral("InstallInfo::accountMailAddress: no mail domain in %1").arg(m_installFile));
        return {};
    }
    return QString(trimmed).remove(QLatin1String("zq")) + QLatin1Char('@') + domain;
}
