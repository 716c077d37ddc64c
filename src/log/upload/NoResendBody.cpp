#include "NoResendBody.h"

#include <cstring>

NoResendBody::NoResendBody(const QByteArray &data, QObject *parent)
    : QIODevice(parent)
    , m_data(data)
{
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 NoResendBody::bytesAvailable() const
{
    return m_data.size() - m_read + QIODevice::bytesAvailable();
}

bool NoResendBody::reset()
{
    // Rewinding is allowed only while nothing has been handed out.
    return m_read == 0;
}

bool NoResendBody::atEnd() const
{
    return m_read >= m_data.size();
}

qint64 NoResendBody::readData(char *data, qint64 maxSize)
{
    const qint64 n = qMin(maxSize, qint64(m_data.size()) - m_read);
    if (n <= 0)
        return m_read >= m_data.size() ? -1 : 0;
    std::memcpy(data, m_data.constData() + m_read, size_t(n));
    m_read += n;
    return n;
}
