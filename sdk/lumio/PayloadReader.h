#pragma once

#include "SdkExport.h"

#include <QByteArray>
#include <QDataStream>
#include <QString>
#include <QStringList>

// Reads a payload written by PayloadWriter. A payload shorter than expected
// reads as defaults; a declared length or count larger than the bytes left is
// refused before anything is allocated, and every later read gives defaults.
class LUMIO_SDK_EXPORT PayloadReader
{
public:
    enum class Status { Ok, Short, Corrupt };

    explicit PayloadReader(const QByteArray &bytes);
    PayloadReader(const PayloadReader &) = delete;
    PayloadReader &operator=(const PayloadReader &) = delete;

    QString readString();
    QStringList readStringList();
    qint32 readInt();
    bool readBool();
    double readDouble();
    qint64 readAddress();

    template<typename T>
    T *readPointer() { return reinterpret_cast<T *>(static_cast<quintptr>(readAddress())); }

    Status status() const { return m_status; }
    bool ok() const { return m_status == Status::Ok; }
    bool atEnd() const;

private:
    qint64 remaining() const;
    bool readLength(quint32 *length);
    template<typename T> T readPlain();

    QByteArray m_bytes;
    QDataStream m_stream;
    Status m_status = Status::Ok;
};
