#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTcpServer>

TestEnvironment::TestEnvironment(const QString &homeName)
    : m_oldHome(qgetenv("HOME"))
{
    m_home = m_dir.path() + QLatin1Char('/') + homeName;
    QDir().mkpath(m_home);
    qputenv("HOME", QFile::encodeName(m_home));
    for (const char *var : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DOCUMENTS_DIR", "XDG_CACHE_HOME"})
        qunsetenv(var);
}

TestEnvironment::~TestEnvironment()
{
    qputenv("HOME", m_oldHome);
}

QString TestEnvironment::fixtureDir()
{
    return qEnvironmentVariable("LUMIO_FIXTURE_DIR");
}

QString TestEnvironment::binDir()
{
    return qEnvironmentVariable("LUMIO_BIN_DIR");
}

QString TestEnvironment::pluginFolder(const QStringList &fixtures, const QString &name)
{
    const QString folder = m_dir.path() + QLatin1Char('/') + name;
    QDir().mkpath(folder);
    for (const QString &fixture : fixtures) {
        const QString target = folder + QLatin1Char('/') + QFileInfo(fixture).fileName();
        QFile::remove(target);
        QFile::copy(fixtureDir() + QLatin1Char('/') + fixture, target);
    }
    return folder;
}

QString TestEnvironment::runnableTree(const QString &name, const QString &serviceUrl)
{
    const QString root = m_dir.path() + QLatin1Char('/') + name;
    const QString bin = root + QStringLiteral("/bin");
    if (QFileInfo::exists(bin + QStringLiteral("/lumio")))
        return bin;
    const QDir built(binDir());
    if (!QDir().mkpath(bin + QStringLiteral("/plugins"))
        || !QFile::link(built.absoluteFilePath(QStringLiteral("../lib")), root + QStringLiteral("/lib"))
        || !QFile::link(built.absoluteFilePath(QStringLiteral("Resources")), bin + QStringLiteral("/Resources")))
        return {};
    // Copies, not links: the shell finds its files and libraries from its own real path.
    for (const QString &file : {QStringLiteral("lumio"), QStringLiteral("log.cfg"), QStringLiteral("install.ini")}) {
        if (!QFile::copy(built.filePath(file), bin + QLatin1Char('/') + file))
            return {};
    }
    const QDir plugins(built.filePath(QStringLiteral("plugins")));
    for (const QString &plugin : plugins.entryList({QStringLiteral("*.so")}, QDir::Files)) {
        if (!QFile::copy(plugins.filePath(plugin), bin + QStringLiteral("/plugins/") + plugin))
            return {};
    }
    QString service = serviceUrl;
    if (service.isEmpty()) {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost, 0))
            return {};
        service = QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort());
    }
    QString urls = QString::fromUtf8(readText(built.filePath(QStringLiteral("allurl.ini"))));
    urls.replace(QRegularExpression(QStringLiteral("https?://[^/\\s,?]+")), service);
    if (urls.isEmpty() || !writeText(bin + QStringLiteral("/allurl.ini"), urls.toUtf8()))
        return {};
    return bin;
}

bool TestEnvironment::writeText(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

QByteArray TestEnvironment::readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
