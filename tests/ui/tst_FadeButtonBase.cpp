#include "TestEnvironment.h"
#include "common/ResourcePath.h"
#include "ui/CIconButtonEx.h"
#include "ui/CPushButtonIconEx.h"
#include "ui/PushButtonEx.h"

#include <QEnterEvent>
#include <QPushButton>
#include <QtTest>

class tst_FadeButtonBase : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { ResourcePath::setBaseDir(TestEnvironment::binDir()); }
    void hoverFadesInAndOutAndStops();
    void pressedAndCheckedBackgrounds();
};

void tst_FadeButtonBase::hoverFadesInAndOutAndStops()
{
    PushButtonEx button(QStringLiteral("发送"));
    QWidget *layer = button.findChild<QWidget *>(QStringLiteral("widgetBG2"));
    QCOMPARE(layer->styleSheet(), FadeButtonBase::fadeStyle(0));

    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&button, &enter);
    QTRY_COMPARE(button.fadeAlpha(), int(FadeButtonBase::MaxAlpha));
    QCOMPARE(layer->styleSheet(), FadeButtonBase::fadeStyle(FadeButtonBase::MaxAlpha));
    // It stays at the top while hovered instead of wrapping or running on.
    QTest::qWait(100);
    QCOMPARE(button.fadeAlpha(), int(FadeButtonBase::MaxAlpha));

    // Leaving half-way through a fade turns it back from where it is.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    QTRY_COMPARE(button.fadeAlpha(), 0);
    QCOMPARE(layer->styleSheet(), FadeButtonBase::fadeStyle(0));

    QSignalSpy clicked(&button, &FadeButtonBase::clicked);
    button.button()->click();
    QCOMPARE(clicked.count(), 1);
}

void tst_FadeButtonBase::pressedAndCheckedBackgrounds()
{
    CIconButtonEx icon;
    icon.setIcon(QStringLiteral("Resources\\Images\\CommonCtrls\\kora_search_ic.png"));
    QVERIFY(icon.button()->styleSheet().startsWith(QStringLiteral("border-image: url(")));
    QVERIFY(icon.button()->styleSheet().endsWith(QStringLiteral("Resources/images/CommonCtrls/kora_search_ic.png);margin:5px;")));
    QWidget *bg = icon.findChild<QWidget *>(QStringLiteral("widgetBG"));
    emit icon.button()->pressed();
    QCOMPARE(bg->styleSheet(), CIconButtonEx::pressedStyle());
    emit icon.button()->released();
    QVERIFY(bg->styleSheet().isEmpty());

    CPushButtonIconEx toggle;
    toggle.setCheckable(true);
    QWidget *toggleBg = toggle.findChild<QWidget *>(QStringLiteral("widgetBG"));
    toggle.button()->click();
    QVERIFY(toggle.isChecked());
    QCOMPARE(toggleBg->styleSheet(), CIconButtonEx::pressedStyle());
    toggle.button()->click();
    QVERIFY(!toggle.isChecked());
    QVERIFY(toggleBg->styleSheet().isEmpty());
}

QTEST_MAIN(tst_FadeButtonBase)
#include "tst_FadeButtonBase.moc"
