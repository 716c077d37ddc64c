#include "TestEnvironment.h"
#include "app/settings/ImInfoDefaults.h"

#include <QFile>
#include <QSettings>
#include <QtTest>

#include <unistd.h>

class tst_ImInfoDefaults : public QObject
{
    Q_OBJECT
private slots:
    void writesDefaultsOnFirstRun();
    void neverOverwritesAnExistingFile();
};

void tst_ImInfoDefaults::writesDefaultsOnFirstRun()
{
    TestEnvironment env;
    const QString path = env.home() + "/Documents/TavrinIm/IMInfo.ini";
    QCOMPARE(ImInfoDefaults::ensure(path, env.home() + "/Documents/TavrinImFiles", nullptr),
             ImInfoDefaults::Result::Written);
    QSettings ini(path, QSettings::IniFormat);
    QCOMPARE(ini.value("msgSetting/SaveToRoot").toString(), QStringLiteral("0"));
    QCOMPARE(ini.value("msgSetting/SaveToMyDoc").toString(), QStringLiteral("1"));
    QCOMPARE(ini.value("msgSetting/SaveToMyChosen").toString(), QStringLiteral("0"));
    QCOMPARE(ini.value("msgSetting/msgfilepath").toString(), env.home() + "/Documents/TavrinImFiles");
    QCOMPARE(ini.value("msgSetting/MaxTransferFileName").toString(), QStringLiteral("5"));
}

void tst_ImInfoDefaults::neverOverwritesAnExistingFile()
{
    TestEnvironment env;
    const QString path = env.home() + "/Documents/TavrinIm/IMInfo.ini";
    const QByteArray mine = "[msgSetting]\nSaveToMyChosen=1\n";
    QVERIFY(TestEnvironment::writeText(path, mine));
    QCOMPARE(ImInfoDefaults::ensure(path, "/x", nullptr), ImInfoDefaults::Result::AlreadyThere);
    QCOMPARE(TestEnvironment::readText(path), mine);

    // Unreadable is not missing: the user's settings are still in there.
    if (::geteuid() != 0) {
        QFile::setPermissions(path, QFileDevice::WriteOwner);
        QCOMPARE(ImInfoDefaults::ensure(path, "/x", nullptr), ImInfoDefaults::Result::AlreadyThere);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(TestEnvironment::readText(path), mine);
    }

    QVERIFY(TestEnvironment::writeText(path, QByteArray()));
    QCOMPARE(ImInfoDefaults::ensure(path, "/x", nullptr), ImInfoDefaults::Result::AlreadyThere);
    QCOMPARE(QFile(path).size(), 0);

    // A folder where the file should be: reported, nothing created.
    const QString blocked = env.root() + "/blocked";
    QVERIFY(TestEnvironment::writeText(blocked, "file"));
    QString error;
    QCOMPARE(ImInfoDefaults::ensure(blocked + "/TavrinIm/IMInfo.ini", "/x", &error),
             ImInfoDefaults::Result::Failed);
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(tst_ImInfoDefaults)
#include "tst_ImInfoDefaults.moc"
