#include "TestEnvironment.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

// What `cmake --install` puts on the desktop: the menu entry and the icon in every size.
class tst_DesktopEntry : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void entryIsValid();
    void iconsHaveTheirSizes();

private:
    TestEnvironment m_env;
    QString m_prefix;
};

void tst_DesktopEntry::initTestCase()
{
    m_prefix = m_env.root() + QStringLiteral("/prefix");
    const QString build = QDir(TestEnvironment::binDir()).absoluteFilePath(QStringLiteral(".."));
    QProcess install;
    install.start(QStringLiteral("cmake"), {QStringLiteral("--install"), build, QStringLiteral("--component"),
                                            QStringLiteral("desktop"), QStringLiteral("--prefix"), m_prefix});
    QVERIFY(install.waitForFinished(60000));
    QVERIFY2(install.exitCode() == 0, install.readAllStandardError().constData());
}

void tst_DesktopEntry::entryIsValid()
{
    const QString entry = m_prefix + QStringLiteral("/share/applications/lumio.desktop");
    QVERIFY(QFile::exists(entry));
    if (QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty())
        QFAIL("desktop-file-validate missing (Debian package desktop-file-utils)");
    QProcess validate;
    validate.start(QStringLiteral("desktop-file-validate"), {entry});
    QVERIFY(validate.waitForFinished(30000));
    const QByteArray report = validate.readAllStandardOutput() + validate.readAllStandardError();
    QVERIFY2(validate.exitCode() == 0 && report.trimmed().isEmpty(), report.constData());

    QSettings desktop(entry, QSettings::IniFormat);
    desktop.beginGroup(QStringLiteral("Desktop Entry"));
    QCOMPARE(desktop.value(QStringLiteral("Icon")).toString(), QStringLiteral("lumio"));
    // Qt names the X window class after the application name the shell sets.
    QCOMPARE(desktop.value(QStringLiteral("StartupWMClass")).toString(), QStringLiteral("Lumio"));
    QVERIFY(desktop.value(QStringLiteral("Exec")).toString().endsWith(QLatin1String("/bin/lumio")));
    // QSettings reads ';' as a comment: the list is checked as written.
    QVERIFY(TestEnvironment::readText(entry).contains("\nCategories=Network;InstantMessaging;\n"));
}

void tst_DesktopEntry::iconsHaveTheirSizes()
{
    const QString root = m_prefix + QStringLiteral("/share/icons/hicolor/");
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QImage icon(root + QStringLiteral("%1x%1/apps/lumio.png").arg(size));
        QCOMPARE(icon.size(), QSize(size, size));
        QVERIFY(icon.hasAlphaChannel());
    }
    QVERIFY(TestEnvironment::readText(root + QStringLiteral("scalable/apps/lumio.svg")).contains("<svg"));
}

QTEST_MAIN(tst_DesktopEntry)
#include "tst_DesktopEntry.moc"
