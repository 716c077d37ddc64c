#include "TestEnvironment.h"
#include "common/ResourcePath.h"
#include "ui/CMenuEx.h"

#include <QRegularExpression>
#include <QStyle>
#include <QtTest>

class tst_CMenuEx : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { ResourcePath::setBaseDir(TestEnvironment::binDir()); }
    void stylesByNumber();
    void smallIconsAre18Pixels();
};

void tst_CMenuEx::stylesByNumber()
{
    CMenuEx menu;
    // A new menu has the icon style.
    QVERIFY(menu.styleSheet().contains(QStringLiteral("QMenu::icon{padding-left:20px;}")));
    for (int style : {0, 1, 2, 3, -1}) {
        menu.setMenuStyle(style);
        const QString sheet = menu.styleSheet();
        const bool plain = style != 0 && style != 1;
        QCOMPARE(sheet.contains(QStringLiteral("background-color: #4dc9b0")), plain);
        QCOMPARE(sheet.contains(QStringLiteral("background-color: #80c84c")), !plain);
        QCOMPARE(sheet.contains(QStringLiteral("QMenu::indicator")), style == 1);
    }
    // The tick picture is found wherever the shell is started from.
    menu.setMenuStyle(1);
    const QRegularExpressionMatch tick =
        QRegularExpression(QStringLiteral("border-image:url\\(([^)]*)\\)")).match(menu.styleSheet());
    QVERIFY(tick.hasMatch());
    QVERIFY2(QFileInfo(tick.captured(1)).isAbsolute() && QFileInfo::exists(tick.captured(1)), qPrintable(tick.captured(1)));
}

void tst_CMenuEx::smallIconsAre18Pixels()
{
    CMenuEx menu;
    QCOMPARE(menu.style()->pixelMetric(QStyle::PM_SmallIconSize), 18);
}

QTEST_MAIN(tst_CMenuEx)
#include "tst_CMenuEx.moc"
