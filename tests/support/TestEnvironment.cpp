#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
