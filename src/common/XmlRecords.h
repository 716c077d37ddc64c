#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

// Reads an XML file of records into key/value maps: a record is an element, its keys
// are its attributes and the names of the text-only elements inside it. Files in an
// 8-bit Chinese encoding (GB2312, GBK, GB18030) are decoded as they declare.
class XmlRecords
{
public:
    using Record = QMap<QString, QString>;

    // Records are the children of the root, or every element named recordTag.
    // Empty (and a log line) when the XML is not well-formed.
    static QList<Record> read(const QByteArray &xml, const QString &recordTag = {});
    static QList<Record> readFile(const QString &path, const QString &recordTag = {});
};
