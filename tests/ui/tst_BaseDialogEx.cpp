#include "TestEnvironment.h"
#include "common/ResourcePath.h"
#include "ui/BaseDialogEx.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

class tst_BaseDialogEx : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { ResourcePath::setBaseDir(TestEnvironment::binDir()); }
    void sizeAndPagePerKind_data();
    void sizeAndPagePerKind();
    void unknownKindKeepsDesignerSize();
    void icons_data();
    void icons();
    void buttonsFollowFlags_data();
    void buttonsFollowFlags();
    void results_data();
    void results();
    void typedText();
    void shortMessageCentredLongOneTopLeft();

private:
    template<typename T>
    static T *child(BaseDialogEx &dialog, const char *name)
    {
        return dialog.findChild<T *>(QLatin1String(name));
    }
};

void tst_BaseDialogEx::sizeAndPagePerKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("page");
    QTest::newRow("message") << 180 << QSize(288, 158) << 0;
    QTest::newRow("line input") << 200 << QSize(288, 158) << 1;
    QTest::newRow("long text") << 260 << QSize(548, 308) << 2;
    QTest::newRow("text input") << 275 << QSize(243, 328) << 3;
}

void tst_BaseDialogEx::sizeAndPagePerKind()
{
    QFETCH(int, kind);
    QFETCH(QSize, size);
    QFETCH(int, page);
    BaseDialogEx dialog(nullptr, QStringLiteral("提示"), QStringLiteral("第一行\n第二行"), kind, 6, 0);
    dialog.show();
    QCOMPARE(dialog.size(), size);
    QCOMPARE(child<QStackedWidget>(dialog, "stackedWidget")->currentIndex(), page);
    if (kind == 260)
        QCOMPARE(child<QTextBrowser>(dialog, "textBrowser")->toPlainText(), QStringLiteral("第一行\n第二行"));
}

void tst_BaseDialogEx::unknownKindKeepsDesignerSize()
{
    QTest::ignoreMessage(QtDebugMsg, "BaseDialogEx");
    BaseDialogEx dialog(nullptr, QString(), QStringLiteral("x"), 999, 4, 0);
    QCOMPARE(dialog.size(), QSize(288, 158));
    QCOMPARE(child<QStackedWidget>(dialog, "stackedWidget")->currentIndex(), 0);
}

void tst_BaseDialogEx::icons_data()
{
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("file");
    QTest::newRow("0 none") << 0 << QString();
    // The ends of the table and either side of it; every quoted picture's existence is the
    // resource path test's.
    QTest::newRow("1 fail") << 1 << "kora_dialog_icon_fail.png";
    QTest::newRow("5 warning") << 5 << "kora_dialog_icon_warning.png";
    QTest::newRow("6 none") << 6 << QString();
    QTest::newRow("-1 none") << -1 << QString();
}

void tst_BaseDialogEx::icons()
{
    QFETCH(int, icon);
    QFETCH(QString, file);
    BaseDialogEx dialog(nullptr, QString(), QStringLiteral("x"), 180, 6, icon);
    QLabel *label = child<QLabel>(dialog, "label_icon");
    QCOMPARE(label->isHidden(), file.isEmpty());
    if (file.isEmpty())
        return;
    const QString style = label->styleSheet();
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^image: url\\((.*)\\);$")).match(style);
    QVERIFY2(match.hasMatch(), qPrintable(style));
    QVERIFY(match.captured(1).endsWith(QStringLiteral("Resources/images/CommonCtrls/") + file));
    QVERIFY(QFileInfo::exists(match.captured(1)));

    // The long-text layout shows the logo whatever the icon kind.
    BaseDialogEx log(nullptr, QString(), QStringLiteral("x"), 260, 6, icon);
    QVERIFY(child<QLabel>(log, "label_icon")->styleSheet().contains(QStringLiteral("g_ic_logo_graphic.png")));
    QVERIFY(!child<QLabel>(log, "label_icon")->isHidden());
}

void tst_BaseDialogEx::buttonsFollowFlags_data()
{
    QTest::addColumn<int>("flags");
    for (int flags : {0, 1, 2, 4, 6, 8, 12, 16, 32, 63})
        QTest::newRow(qPrintable(QString::number(flags))) << flags;
}

void tst_BaseDialogEx::buttonsFollowFlags()
{
    QFETCH(int, flags);
    BaseDialogEx dialog(nullptr, QString(), QStringLiteral("x"), 180, flags, 0);
    const QList<QPair<const char *, int>> parts = {{"pushButton_min", 1}, {"pushButton_close", 2},
                                                   {"pushButton_ok", 4}, {"pushButton_cancel", 8},
                                                   {"pushButton_ignore", 16}, {"checkBox", 32}};
    for (const auto &[name, bit] : parts)
        QVERIFY2(child<QWidget>(dialog, name)->isHidden() == !(flags & bit), name);
    QCOMPARE(child<QPushButton>(dialog, "pushButton_ok")->isDefault(), bool(flags & 4));
}

void tst_BaseDialogEx::results_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("tick");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("signal");
    QTest::newRow("ok") << 4 << false << "pushButton_ok" << 1 << "ok";
    QTest::newRow("ok, box shown, not ticked") << 4 + 32 << false << "pushButton_ok" << 1 << "ok";
    QTest::newRow("ok, box ticked") << 4 + 32 << true << "pushButton_ok" << 3 << "ok";
    QTest::newRow("ok, ticked box hidden") << 4 << true << "pushButton_ok" << 1 << "ok";
    QTest::newRow("cancel") << 4 + 8 << false << "pushButton_cancel" << 0 << "cancel";
    QTest::newRow("close") << 2 + 4 << false << "pushButton_close" << 0 << "close";
    QTest::newRow("ignore") << 4 + 16 << false << "pushButton_ignore" << 2 << "";
    QTest::newRow("ignore, box ticked") << 4 + 16 + 32 << true << "pushButton_ignore" << 2 << "";
}

void tst_BaseDialogEx::results()
{
    QFETCH(int, flags);
    QFETCH(bool, tick);
    QFETCH(QString, button);
    QFETCH(int, result);
    QFETCH(QString, signal);
    BaseDialogEx dialog(nullptr, QString(), QStringLiteral("x"), 180, flags, 0);
    child<QCheckBox>(dialog, "checkBox")->setChecked(tick);
    QSignalSpy ok(&dialog, &BaseDialogEx::signal_OkBtnClicked);
    QSignalSpy cancel(&dialog, &BaseDialogEx::signal_CancleBtnClicked);
    QSignalSpy close(&dialog, &BaseDialogEx::signal_CloseBtnClicked);
    QPushButton *target = dialog.findChild<QPushButton *>(button);
    QTimer::singleShot(0, target, &QPushButton::click);
    QCOMPARE(dialog.exec(), result);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(ok.count(), signal == QLatin1String("ok") ? 1 : 0);
    QCOMPARE(cancel.count(), signal == QLatin1String("cancel") ? 1 : 0);
    QCOMPARE(close.count(), signal == QLatin1String("close") ? 1 : 0);
}

void tst_BaseDialogEx::typedText()
{
    BaseDialogEx line(nullptr, QString(), QStringLiteral("备注名"), 200, 12, 0);
    line.setDefaultInput(QStringLiteral("旧名字"));
    QLineEdit *edit = child<QLineEdit>(line, "lineEdit_input");
    QCOMPARE(edit->selectedText(), QStringLiteral("旧名字"));
    QTimer::singleShot(0, edit, [&] {
        QTest::keyClicks(edit, QStringLiteral("new")); // replaces the selection
        child<QPushButton>(line, "pushButton_ok")->click();
    });
    QCOMPARE(line.exec(), 1);
    QCOMPARE(line.typedText(), QStringLiteral("new"));

    BaseDialogEx cancelled(nullptr, QString(), QStringLiteral("x"), 200, 12, 0);
    cancelled.setDefaultInput(QStringLiteral("keep"));
    QTimer::singleShot(0, &cancelled, &BaseDialogEx::slot_Cancle);
    QCOMPARE(cancelled.exec(), 0);
    QCOMPARE(cancelled.typedText(), QString());

    BaseDialogEx text(nullptr, QString(), QStringLiteral("回复"), 275, 4, 0);
    text.setDefaultInput(QStringLiteral("第一行\n第二行"));
    QTimer::singleShot(0, &text, &BaseDialogEx::slot_Ok);
    QCOMPARE(text.exec(), 1);
    QCOMPARE(text.typedText(), QStringLiteral("第一行\n第二行"));
}

void tst_BaseDialogEx::shortMessageCentredLongOneTopLeft()
{
    BaseDialogEx shortOne(nullptr, QString(), QStringLiteral("修改成功！"), 180, 6, 2);
    shortOne.show();
    QLabel *label = child<QLabel>(shortOne, "label_message");
    QCOMPARE(label->alignment(), Qt::AlignTop | Qt::AlignHCenter);
    QVERIFY(!label->wordWrap());

    const QString text = QStringLiteral("确定要删除该好友及聊天记录吗？删除后将无法恢复，请谨慎操作。");
    BaseDialogEx longOne(nullptr, QString(), text, 180, 6, 2);
    longOne.show();
    label = child<QLabel>(longOne, "label_message");
    QCOMPARE(label->alignment(), Qt::AlignTop | Qt::AlignLeft);
    QVERIFY(label->wordWrap());
    // Wrapped, it still fits inside the band and the window.
    QVERIFY(label->heightForWidth(label->width()) <= label->height());
}

QTEST_MAIN(tst_BaseDialogEx)
#include "tst_BaseDialogEx.moc"
