#include "TestEnvironment.h"
#include "common/ResourcePath.h"
#include "ui/CTextEditEx.h"
#include "ui/ErrorMessage.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class tst_ErrorMessage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { ResourcePath::setBaseDir(TestEnvironment::binDir()); }
    void inputVariants();
    void replyIsCutAt100Characters();
    void settingsAskedOnlyWhenPointedThere();
};

void tst_ErrorMessage::inputVariants()
{
    ErrorMessage remark(QStringLiteral("修改备注"), QString());
    remark.setInputKind(ErrorMessage::RemarkName, QStringLiteral("老王"));
    auto *line = remark.findChild<QLineEdit *>(QStringLiteral("lineEdit_input"));
    QVERIFY(!line->isHidden());
    QVERIFY(remark.findChild<CTextEditEx *>(QStringLiteral("textEdit_input"))->isHidden());
    QTimer::singleShot(0, &remark, [&] {
        line->setText(QStringLiteral("王师傅"));
        remark.findChild<QPushButton *>(QStringLiteral("pushButton_accept"))->click();
    });
    QCOMPARE(remark.exec(), int(QDialog::Accepted));
    QCOMPARE(remark.inputText(), QStringLiteral("王师傅"));

    ErrorMessage reply;
    reply.setInputKind(ErrorMessage::ReplyText);
    QVERIFY(reply.findChild<QLineEdit *>(QStringLiteral("lineEdit_input"))->isHidden());
    reply.findChild<CTextEditEx *>(QStringLiteral("textEdit_input"))->setPlainText(QStringLiteral("好的"));
    // Closing keeps nothing of what was typed.
    QTimer::singleShot(0, &reply, &ErrorMessage::slot_clickedCloseBtn);
    QCOMPARE(reply.exec(), int(QDialog::Rejected));
    QCOMPARE(reply.inputText(), QString());
}

void tst_ErrorMessage::replyIsCutAt100Characters()
{
    ErrorMessage reply;
    reply.setInputKind(ErrorMessage::ReplyText, QString(150, QChar(0x5b57)));
    auto *edit = reply.findChild<CTextEditEx *>(QStringLiteral("textEdit_input"));
    QCOMPARE(edit->toPlainText().size(), 100);
    edit->moveCursor(QTextCursor::End);
    QTest::keyClicks(edit, QStringLiteral("abc"));
    QCOMPARE(edit->toPlainText(), QString(100, QChar(0x5b57)));
    reply.slot_clickedAccptBtn();
    QCOMPARE(reply.inputText().size(), 100);
}

void tst_ErrorMessage::settingsAskedOnlyWhenPointedThere()
{
    for (bool opens : {false, true}) {
        ErrorMessage notice(QStringLiteral("提示"), QStringLiteral("热键冲突"));
        notice.setOpensSettings(opens);
        QSignalSpy settings(&notice, &ErrorMessage::signal_OpenSysSetUi);
        notice.slot_clickedAccptBtn();
        QCOMPARE(settings.count(), opens ? 1 : 0);
        QCOMPARE(notice.result(), int(QDialog::Accepted));
        notice.setResult(-1);
        notice.slot_clickedCloseBtn();
        QCOMPARE(settings.count(), opens ? 1 : 0);
        QCOMPARE(notice.result(), int(QDialog::Rejected));
    }
}

QTEST_MAIN(tst_ErrorMessage)
#include "tst_ErrorMessage.moc"
