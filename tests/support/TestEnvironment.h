#pragma once

#include <QString>
#include <QTemporaryDir>

// A private HOME (and XDG folders) for one test, so the real user's files are never touched.
class TestEnvironment
{
public:
    explicit TestEnvironment(const QString &homeName = QStringLiteral("home"));
    ~TestEnvironment();

    bool isValid() const { return m_dir.isValid(); }
    QString root() const { return m_dir.path(); }
    QString home() const { return m_home; }

    // Built fixture plug-ins and the shell's runnable tree.
    static QString fixtureDir();
    static QString binDir();
    // Copies fixtures (file names) into a fresh folder and returns it.
    QString pluginFolder(const QStringList &fixtures, const QString &name = QStringLiteral("plugins"));

    // A copy of the runnable tree (bin/ with the shell, its files and plug-ins; lib/) under
    // this environment, whose allurl.ini points every service at serviceUrl (a loopback
    // server), or else at a refused loopback port, so the shell never looks up an outside
    // host. Returns the copy's bin folder, empty on failure.
    QString runnableTree(const QString &name = QStringLiteral("tree"), const QString &serviceUrl = {});

    static bool writeText(const QString &path, const QByteArray &text);
    static QByteArray readText(const QString &path);

private:
    QTemporaryDir m_dir;
    QString m_home;
    QByteArray m_oldHome;
};
