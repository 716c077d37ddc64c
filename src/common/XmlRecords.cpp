#include "XmlRecords.h"

#include "log/ShellLog.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextCodec>
#include <QXmlStreamReader>

namespace {

QByteArray declaredEncoding(const QByteArray &xml)
{
    static const QRegularExpression declaration(
        QStringLiteral("^\\s*<\\?xml[^>]*\\bencoding\\s*=\\s*[\"']([A-Za-z0-9._-]+)[\"']"));
    const QRegularExpressionMatch match = declaration.match(QString::fromLatin1(xml.left(200)));
    return match.hasMatch() ? match.captured(1).toLatin1().toUpper() : QByteArray();
}

// Qt's XML reader knows only the Unicode encodings and Latin-1.
bool needsCodec(const QByteArray &encoding)
{
    return encoding.startsWith("GB");
}

void addAttributes(const QXmlStreamReader &reader, XmlRecords::Record &record)
{
    for (const QXmlStreamAttribute &attribute : reader.attributes())
        record.insert(attribute.name().toString(), attribute.value().toString());
}

// The element the reader stands on: its attributes and those of every element
// inside it, and the text of each element that holds only text.
XmlRecords::Record readRecord(QXmlStreamReader &reader)
{
    struct Open
    {
        QString name;
        bool hasChildren = false;
    };
    XmlRecords::Record record;
    QList<Open> open{{reader.name().toString()}};
    addAttributes(reader, record);
    QString text;
    while (!open.isEmpty() && !reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            open.last().hasChildren = true;
            open.append({reader.name().toString()});
            addAttributes(reader, record);
            text.clear();
            break;
        case QXmlStreamReader::Characters:
            text += reader.text();
            break;
        case QXmlStreamReader::EndElement:
            if (!open.last().hasChildren && (open.size() > 1 || !text.trimmed().isEmpty()))
                record.insert(open.last().name, text.trimmed());
            open.removeLast();
            text.clear();
            break;
        default:
            break;
        }
    }
    return record;
}

} // namespace

QList<XmlRecords::Record> XmlRecords::read(const QByteArray &xml, const QString &recordTag)
{
    const QByteArray encoding = declaredEncoding(xml);
    QTextCodec *codec = needsCodec(encoding) ? QTextCodec::codecForName(encoding) : nullptr;
    if (needsCodec(encoding) && !codec) {
        LOG_WARN(QStringLiteral("XmlRecords::read: unknown encoding %1").arg(QLatin1String(encoding)));
        return {};
    }
    QXmlStreamReader reader;
    if (codec)
        reader.addData(codec->toUnicode(xml));
    else
        reader.addData(xml);

    QList<Record> records;
    int depth = 0;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::EndElement) {
            --depth;
        } else if (token == QXmlStreamReader::StartElement) {
            ++depth;
            const bool isRecord = recordTag.isEmpty() ? depth == 2 : reader.name() == recordTag;
            if (isRecord) {
                records.append(readRecord(reader));
                --depth;
            }
        }
    }
    if (reader.hasError()) {
        LOG_WARN(QStringLiteral("XmlRecords::read: line %1: %2")
                     .arg(reader.lineNumber())
                     .arg(reader.errorString()));
        return {};
    }
    return records;
}

QList<XmlRecords::Record> XmlRecords::readFile(const QString &path, const QString &recordTag)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        LOG_WARN(QStringLiteral("XmlRecords::readFile: cannot open %1").arg(path));
        return {};
    }
    return read(file.readAll(), recordTag);
}
