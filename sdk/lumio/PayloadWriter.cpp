#include "PayloadWriter.h"

#include <QIODevice>

PayloadWriter::PayloadWriter()
    : m_stream(&m_bytes, QIODevice::WriteOnly)
{
    m_stream.setVersion(QDataStream::Qt_4_8);
}

PayloadWriter &PayloadWriter::operator<<(const QString &value)
{
    m_stream << value;
    return *this;
}

PayloadWriter &PayloadWriter::operator<<(const QStringList &value)
{
    m_stream << value;
    return *this;
}

PayloadWriter &PayloadWriter::operator<<(qint32 value)
{
    m_stream << value;
    return *this;
}

PayloadWriter &PayloadWriter::operator<<(bool value)
{
    m_stream << value;
    return *this;
}

PayloadWriter &PayloadWriter::operator<<(double value)
{
    m_stream << value;
    return *this;
}

PayloadWriter &PayloadWriter::writeAddress(const void *object)
{
    m_stream << static_cast<qint64>(reinterpret_cast<quintptr>(object));
    return *this;
}
