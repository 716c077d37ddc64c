#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// Takes a fuzzer's bytes apart: small choices from the front, the rest as one blob.
class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size)
        : m_data(data), m_size(size)
    {
    }

    uint8_t byte()
    {
        return m_pos < m_size ? m_data[m_pos++] : 0;
    }
    uint16_t word()
    {
        const uint16_t high = byte();
        return uint16_t(high << 8 | byte());
    }
    bool flag() { return byte() & 1; }
    // Up to max bytes, the length taken from the input first.
    QByteArray chunk(int max)
    {
        return take(qMin<size_t>(byte() % (max + 1), remaining()));
    }
    QByteArray rest() { return take(remaining()); }
    size_t remaining() const { return m_size - m_pos; }

private:
    QByteArray take(size_t count)
    {
        const QByteArray bytes(reinterpret_cast<const char *>(m_data + m_pos), qsizetype(count));
        m_pos += count;
        return bytes;
    }

    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};
