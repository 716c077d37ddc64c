#pragma once

#include "SdkExport.h"

#include <QByteArray>
#include <QDataStream>
#include <QString>
#include <QStringList>

// Writes a command's arguments in the bus's wire format, which is pinned to
// the Qt 4.8 stream version so that it never drifts with the Qt release.
class LUMIO_SDK_EXPORT PayloadWriter
{
public:
    PayloadWriter();
    PayloadWriter(const PayloadWriter &) = delete;
    PayloadWriter &operator=(const PayloadWriter &) = delete;

    PayloadWriter &operator<<(const QString &value);
    PayloadWriter &operator<<(const QStringList &value);
    PayloadWriter &operator<<(qint32 value);
    PayloadWriter &operator<<(bool value);
    PayloadWriter &operator<<(double value);
    template<typename T> PayloadWriter &operator<<(const T &) = delete;

    // Objects too large for a payload travel as their address; 0 means none.
    PayloadWriter &writeAddress(const void *object);

    QByteArray bytes() const { return m_bytes; }

    template<typename... Args>
    static QByteArray pack(const Args &...args)
    {
        PayloadWriter writer;
        (writer << ... << args);
        return writer.bytes();
    }

private:
    QByteArray m_bytes;
    QDataStream m_stream;
};
