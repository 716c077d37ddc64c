#include "log/upload/LogUploadReply.h"

#include <QtTest>

class tst_LogUploadReply : public QObject
{
    Q_OBJECT
private slots:
    void uploadPointWrappedOrNot();
    void objectIdAsTextOrNumber();
    void registration();
    void retCode();
    void hostileBodiesAreRefused();
};

void tst_LogUploadReply::uploadPointWrappedOrNot()
{
    LogUploadReply::UploadPoint point;
    QString reason;
    QVERIFY(LogUploadReply::readUploadPoint(R"({"data":{"code":"0","requestId":"r1","url":"http://h/f",)"
                                            R"("salAccessKeyId":"k","callbackuri":"http://cb/"}})",
                                            &point, &reason));
    QCOMPARE(point.requestId, QString("r1"));
    QCOMPARE(point.url, QString("http://h/f"));
    QCOMPARE(point.keyId, QString("k"));
    QCOMPARE(point.callbackUri, QString("http://cb/"));
    QVERIFY(reason.isEmpty());

    point = {};
    QVERIFY(LogUploadReply::readUploadPoint(R"({"code":0,"requestId":7,"url":"u"})", &point, &reason));
    QCOMPARE(point.requestId, QString("7"));
    QVERIFY(!LogUploadReply::readUploadPoint(R"({"data":{"code":"10086"}})", &point, &reason));
    QCOMPARE(reason, QString("upload point answered no code 0"));
}

void tst_LogUploadReply::objectIdAsTextOrNumber()
{
    QString id, reason;
    QVERIFY(LogUploadReply::readObjectId(R"({"code":0,"objectId":"obj-7"})", &id, &reason));
    QCOMPARE(id, QString("obj-7"));
    // Beyond the signed 64-bit range, as a whole and as a whole-valued double.
    QVERIFY(LogUploadReply::readObjectId(R"({"code":" 0 ","objectId":18446744073709551615})", &id, &reason));
    QCOMPARE(id, QString("18446744073709551615"));
    QVERIFY(LogUploadReply::readObjectId(R"({"code":0,"objectId":1e19})", &id, &reason));
    QCOMPARE(id, QString("10000000000000000000"));
    QVERIFY(!LogUploadReply::readObjectId(R"({"code":0,"objectId":0.5})", &id, &reason));
    QCOMPARE(reason, QString("object-id query answered no object id"));
    QVERIFY(!LogUploadReply::readObjectId(R"({"code":"0"})", &id, &reason));
    QVERIFY(!LogUploadReply::readObjectId(R"({"code":3,"objectId":"x"})", &id, &reason));
    QCOMPARE(reason, QString("object-id query answered no code 0"));
}

void tst_LogUploadReply::registration()
{
    LogUploadReply::Registration answer;
    QString reason;
    QVERIFY(LogUploadReply::readRegistration(R"({"code":"0","msg":"ok"})", &answer, &reason));
    QCOMPARE(answer.code, 0);
    QCOMPARE(answer.message, QString("ok"));

    answer = {};
    QVERIFY(!LogUploadReply::readRegistration(R"({"code":0,"data":{"code":"10005"}})", &answer, &reason));
    QCOMPARE(reason, QString("registration refused (10005)"));
    answer = {};
    QVERIFY(!LogUploadReply::readRegistration(R"({"code":"7"})", &answer, &reason));
    QCOMPARE(answer.code, 7);
    QCOMPARE(reason, QString("registration code 7"));
    // A text that is no number leaves the code unknown rather than 0.
    answer = {};
    QVERIFY(!LogUploadReply::readRegistration(R"({"code":"7x"})", &answer, &reason));
    QCOMPARE(answer.code, -1);
    QVERIFY(!LogUploadReply::readRegistration("ok", &answer, &reason));
    QVERIFY(reason.startsWith("registration answer is no JSON object: "));
}

void tst_LogUploadReply::retCode()
{
    int code = -1;
    QVERIFY(LogUploadReply::readRetCode("ZQ_5", &code));
    QCOMPARE(code, 5);
    QVERIFY(LogUploadReply::readRetCode("ZQ_0", &code));
    QCOMPARE(code, 0);
    QVERIFY(!LogUploadReply::readRetCode("", &code));
    QVERIFY(!LogUploadReply::readRetCode("ZQ_", &code));
}

void tst_LogUploadReply::hostileBodiesAreRefused()
{
    const QByteArray deep = R"({"code":0,"objectId":)" + QByteArray(1200, '[') + QByteArray(1200, ']') + "}";
    QString id, reason;
    QVERIFY(!LogUploadReply::readObjectId(deep, &id, &reason));
    QVERIFY2(reason.contains("stackLimit"), qPrintable(reason));
    QVERIFY(!LogUploadReply::readObjectId(QByteArray("{\"code\":0,\0}", 12), &id, &reason));
    QVERIFY(!LogUploadReply::readObjectId("[0]", &id, &reason));
    QCOMPARE(reason, QString("object-id query answer is no JSON object: not an object"));
}

QTEST_GUILESS_MAIN(tst_LogUploadReply)
#include "tst_LogUploadReply.moc"
