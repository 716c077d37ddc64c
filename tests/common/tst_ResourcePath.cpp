#include "LogCapture.h"
#include "TestEnvironment.h"
#include "common/ResourcePath.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

class tst_ResourcePath : public QObject
{
    Q_OBJECT
private slots:
    void init() { ResourcePath::setBaseDir(QString()); }
    void spellingsMeetInOneFolder();
    void workingFolderFirstOnlyWhenAsked();
    void missingFileIsLoggedNotFatal();
    void styleUrlsBecomeAbsolute();
    void everyQuotedPathResolvesInTheBuildTree();

private:
    static QString sourceRoot();
};

void tst_ResourcePath::spellingsMeetInOneFolder()
{
    TestEnvironment env;
    QDir(env.root()).mkpath(QStringLiteral("Resources/images/CommonCtrls"));
    QVERIFY(TestEnvironment::writeText(env.root() + QStringLiteral("/Resources/images/CommonCtrls/a.png"), "x"));
    ResourcePath::setBaseDir(env.root());
    const QString expected = env.root() + QStringLiteral("/Resources/images/CommonCtrls/a.png");
    for (const QString &quoted : {QStringLiteral("Resources\\Images\\CommonCtrls\\a.png"),
                                  QStringLiteral("Resources\\images\\CommonCtrls\\a.png"),
                                  QStringLiteral("Resources\\Image\\CommonCtrls\\a.png"),
                                  QStringLiteral("Resources/Image/CommonCtrls/a.png"),
                                  QStringLiteral("./Resources/images/CommonCtrls/a.png")})
        QCOMPARE(ResourcePath::resolve(quoted), expected);
    // Only the folder right under Resources is folded; other names keep their case.
    QCOMPARE(ResourcePath::normalise(QStringLiteral("Resources\\Skins\\Images\\b.png")),
             QStringLiteral("Resources/Skins/Images/b.png"));
    QCOMPARE(ResourcePath::resolve(QString()), QString());
}

void tst_ResourcePath::workingFolderFirstOnlyWhenAsked()
{
    TestEnvironment base;
    TestEnvironment working;
    for (const QString &root : {base.root(), working.root()}) {
        QDir(root).mkpath(QStringLiteral("Resources/Style"));
        QVERIFY(TestEnvironment::writeText(root + QStringLiteral("/Resources/Style/s.css"), "x"));
    }
    ResourcePath::setBaseDir(base.root());
    const QString old = QDir::currentPath();
    QDir::setCurrent(working.root());
    const QString plain = ResourcePath::resolve(QStringLiteral("Resources\\Style\\s.css"));
    const QString workingFirst = ResourcePath::resolve(QStringLiteral("Resources\\Style\\s.css"), true);
    QDir::setCurrent(old);
    QCOMPARE(plain, base.root() + QStringLiteral("/Resources/Style/s.css"));
    QCOMPARE(QFileInfo(workingFirst).canonicalFilePath(),
             QFileInfo(working.root() + QStringLiteral("/Resources/Style/s.css")).canonicalFilePath());
}

void tst_ResourcePath::missingFileIsLoggedNotFatal()
{
    TestEnvironment env;
    ResourcePath::setBaseDir(env.root());
    LogCapture log;
    QCOMPARE(ResourcePath::resolve(QStringLiteral("Resources\\none.png")), env.root() + QStringLiteral("/Resources/none.png"));
    QVERIFY(log.contains(QStringLiteral("Resources\\none.png")));
    QCOMPARE(ResourcePath::styleSheet(QStringLiteral("Resources/Style/none.css")), QString());
}

void tst_ResourcePath::styleUrlsBecomeAbsolute()
{
    ResourcePath::setBaseDir(QStringLiteral("/opt/lumio/bin"));
    LogCapture quiet;
    const QString css = QStringLiteral("a{border-image:url(Resources/images/x.png);} b{image: url( \"Resources\\Image\\y.png\" );} "
                                       "c{image:url(/abs/z.png);}");
    QCOMPARE(ResourcePath::absoluteUrls(css),
             QStringLiteral("a{border-image:url(/opt/lumio/bin/Resources/images/x.png);} "
                            "b{image: url(/opt/lumio/bin/Resources/images/y.png);} c{image:url(/abs/z.png);}"));
}

QString tst_ResourcePath::sourceRoot()
{
    // The build tree records its source folder; the test needs no extra settings.
    QFile cache(QDir(TestEnvironment::binDir()).filePath(QStringLiteral("../CMakeCache.txt")));
    if (!cache.open(QIODevice::ReadOnly))
        return QString();
    static const QRegularExpression home(QStringLiteral("^CMAKE_HOME_DIRECTORY:INTERNAL=(.*)$"),
                                         QRegularExpression::MultilineOption);
    return home.match(QString::fromUtf8(cache.readAll())).captured(1).trimmed();
}

// Every file name the code quotes ("Resources/..." or "Resources\\...") and every
// url() of the style sheets must exist in the runnable build tree. Paths built
// from pieces (with %1 or ending in a folder) are left to their own tests.
void tst_ResourcePath::everyQuotedPathResolvesInTheBuildTree()
{
    const QString root = sourceRoot();
    QVERIFY2(QFileInfo(root + QStringLiteral("/src")).isDir(), qPrintable(root));
    ResourcePath::setBaseDir(TestEnvironment::binDir());

    static const QRegularExpression literal(QStringLiteral("\"(Resources(?:\\\\\\\\|/)[^\"%]*\\.\\w+)\""));
    static const QRegularExpression url(QStringLiteral("url\\(\\s*[\"']?(Resources[\\\\/][^)\"']*)"));
    QStringList missing;
    int checked = 0;
    const auto check = [&](const QString &quoted, const QString &where) {
        ++checked;
        if (!QFileInfo::exists(ResourcePath::resolve(quoted)))
            missing << quoted + QStringLiteral(" (") + where + QLatin1Char(')');
    };
    QDirIterator sources(root + QStringLiteral("/src"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                         QDir::Files, QDirIterator::Subdirectories);
    LogCapture quiet;
    while (sources.hasNext()) {
        const QString file = sources.next();
        QFile source(file);
        QVERIFY(source.open(QIODevice::ReadOnly));
        for (const QString &line : QString::fromUtf8(source.readAll()).split(QLatin1Char('\n'))) {
            if (line.trimmed().startsWith(QLatin1String("//")))
                continue;
            auto matches = literal.globalMatch(line);
            while (matches.hasNext()) {
                QString quoted = matches.next().captured(1);
                quoted.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
                check(quoted, QFileInfo(file).fileName());
            }
            auto urls = url.globalMatch(line);
            while (urls.hasNext())
                check(urls.next().captured(1), QFileInfo(file).fileName());
        }
    }
    QDirIterator sheets(root + QStringLiteral("/resources/Resources"), {QStringLiteral("*.css")}, QDir::Files,
                        QDirIterator::Subdirectories);
    while (sheets.hasNext()) {
        const QString file = sheets.next();
        QFile sheet(file);
        QVERIFY(sheet.open(QIODevice::ReadOnly));
        auto urls = url.globalMatch(QString::fromUtf8(sheet.readAll()));
        while (urls.hasNext())
            check(urls.next().captured(1), QFileInfo(file).fileName());
    }
    QVERIFY2(checked > 20, qPrintable(QString::number(checked)));
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(tst_ResourcePath)
#include "tst_ResourcePath.moc"
