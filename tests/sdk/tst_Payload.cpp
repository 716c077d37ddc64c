#include <lumio/PayloadReader.h>
#include <lumio/PayloadWriter.h>

#include <QDataStream>
#include <QtTest>

#include <limits>

class tst_Payload : public QObject
{
    Q_OBJECT
private slots:
    void roundTripOfEveryKind();
    void wireFormatIsQt48();
    void shortPayloadReadsAsDefaults();
    void oversizedDeclarationsAreRefused();
    void addresses();
};

void tst_Payload::roundTripOfEveryKind()
{
    const QStringList list{QStringLiteral("甲"), QString(), QStringLiteral("c")};
    PayloadWriter writer;
    writer << QStringLiteral("你好, world") << list << qint32(-42) << true << 3.25 << QString()
           << QStringList() << std::numeric_limits<qint32>::max();
    PayloadReader reader(writer.bytes());
    QCOMPARE(reader.readString(), QStringLiteral("你好, world"));
    QCOMPARE(reader.readStringList(), list);
    QCOMPARE(reader.readInt(), -42);
    QCOMPARE(reader.readBool(), true);
    QCOMPARE(reader.readDouble(), 3.25);
    QVERIFY(reader.readString().isNull());
    QVERIFY(reader.readStringList().isEmpty());
    QCOMPARE(reader.readInt(), std::numeric_limits<qint32>::max());
    QVERIFY(reader.ok());
    QVERIFY(reader.atEnd());
}

void tst_Payload::wireFormatIsQt48()
{
    // What a plug-in writing with a plain Qt 4.8 stream produces.
    QByteArray expected;
    QDataStream stream(&expected, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_4_8);
    stream << QStringLiteral("ab") << qint32(5) << false << 1.5 << QStringList{QStringLiteral("x")};
    QCOMPARE(PayloadWriter::pack(QStringLiteral("ab"), qint32(5), false, 1.5, QStringList{QStringLiteral("x")}),
             expected);
    QCOMPARE(expected.left(8), QByteArray::fromHex("0000000400610062"));
}

void tst_Payload::shortPayloadReadsAsDefaults()
{
    const QByteArray one = PayloadWriter::pack(QStringLiteral("only"));
    PayloadReader reader(one);
    QCOMPARE(reader.readString(), QStringLiteral("only"));
    QCOMPARE(reader.readInt(), 0);
    QCOMPARE(reader.readBool(), false);
    QCOMPARE(reader.readString(), QString());
    QCOMPARE(reader.status(), PayloadReader::Status::Short);

    PayloadReader empty{QByteArray()};
    QCOMPARE(empty.readStringList(), QStringList());
    QCOMPARE(empty.readDouble(), 0.0);
    QCOMPARE(empty.readAddress(), 0);

    // Half an int.
    PayloadReader half(QByteArray::fromHex("0001"));
    QCOMPARE(half.readInt(), 0);
    QCOMPARE(half.status(), PayloadReader::Status::Short);
}

void tst_Payload::oversizedDeclarationsAreRefused()
{
    // Ten bytes that claim a list of about a billion strings.
    PayloadReader list(QByteArray::fromHex("3fffffff000000020041"));
    QCOMPARE(list.readStringList(), QStringList());
    QCOMPARE(list.status(), PayloadReader::Status::Corrupt);
    QCOMPARE(list.readInt(), 0);

    PayloadReader string(QByteArray::fromHex("7ffffff000410042"));
    QCOMPARE(string.readString(), QString());
    QCOMPARE(string.status(), PayloadReader::Status::Corrupt);

    PayloadReader odd(QByteArray::fromHex("00000003004100"));
    QCOMPARE(odd.readString(), QString());
    QCOMPARE(odd.status(), PayloadReader::Status::Corrupt);

    // A list whose second element lies about its length: the whole list is refused.
    QByteArray broken = PayloadWriter::pack(QStringList{QStringLiteral("a"), QStringLiteral("b")});
    broken[13] = char(0x70);
    PayloadReader partial(broken);
    QCOMPARE(partial.readStringList(), QStringList());
    QCOMPARE(partial.status(), PayloadReader::Status::Corrupt);
}

void tst_Payload::addresses()
{
    int object = 7;
    PayloadWriter writer;
    writer.writeAddress(&object).writeAddress(nullptr);
    QCOMPARE(writer.bytes().size(), 16);
    PayloadReader reader(writer.bytes());
    QCOMPARE(reader.readPointer<int>(), &object);
    QCOMPARE(reader.readPointer<int>(), nullptr);
    QCOMPARE(reader.readPointer<int>(), nullptr);
}

QTEST_GUILESS_MAIN(tst_Payload)
#include "tst_Payload.moc"
