#include "PayloadReader.h"

#include <QIODevice>

namespace {
constexpr quint32 NullStringLength = 0xffffffffu;
constexpr qint64 LengthFieldSize = 4;
}

PayloadReader::PayloadReader(const QByteArray &bytes)
    : m_bytes(bytes)
    , m_stream(m_bytes)
{
    m_stream.setVersion(QDataStream::Qt_4_8);
}

bool PayloadReader::atEnd() const
{
    return m_stream.atEnd();
}

qint64 PayloadReader::remaining() const
{
    return m_bytes.size() - m_stream.device()->pos();
}

bool PayloadReader::readLength(quint32 *length)
{
    if (m_status != Status::Ok)
        return false;
    if (remaining() < LengthFieldSize) {
        m_status = Status::Short;
        return false;
    }
    m_stream >> *length;
    return true;
}

template<typename T>
T PayloadReader::readPlain()
{
    T value{};
    if (m_status != Status::Ok)
        return T{};
    m_stream >> value;
    if (m_stream.status() != QDataStream::Ok) {
        m_status = Status::Short;
        return T{};
    }
    return value;
}

QString PayloadReader::readString()
{
    quint32 length = 0;
    if (!readLength(&length))
        return {};
    if (length == NullStringLength)
        return {};
    if ((length & 1u) || qint64(length) > remaining()) {
        m_status = Status::Corrupt;
        return {};
    }
    QByteArray utf16 = m_bytes.mid(m_stream.device()->pos(), length);
    m_stream.skipRawData(int(length));
    QString value(int(length / 2), Qt::Uninitialized);
    const auto *src = reinterpret_cast<const uchar *>(utf16.constData());
    for (int i = 0; i < value.size(); ++i)
        value[i] = QChar(ushort((src[2 * i] << 8) | src[2 * i + 1]));
    return value;
}

QStringList PayloadReader::readStringList()
{
    quint32 count = 0;
    if (!readLength(&count))
        return {};
    // Each element needs at least its own length field.
    if (qint64(count) > remaining() / LengthFieldSize) {
        m_status = Status::Corrupt;
        return {};
    }
    QStringList list;
    list.reserve(int(count));
    for (quint32 i = 0; i < count && m_status == Status::Ok; ++i)
        list.append(readString());
    if (m_status != Status::Ok)
        return {};
    return list;
}

qint32 PayloadReader::readInt()
{
    return readPlain<qint32>();
}

bool PayloadReader::readBool()
{
    return readPlain<bool>();
}

double PayloadReader::readDouble()
{
    return readPlain<double>();
}

qint64 PayloadReader::readAddress()
{
    return readPlain<qint64>();
}
