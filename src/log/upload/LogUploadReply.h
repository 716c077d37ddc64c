#pragma once

#include <QByteArray>
#include <QString>

// The answers of the log-upload chain, read without trusting a member's type:
// a code comes as 0 or as "0", and any member may be missing or of another kind.
class LogUploadReply
{
public:
    struct UploadPoint {
        QString requestId;
        QString url;
        QString keyId;
        QString callbackUri;
    };
    struct Registration {
        int code = -1;
        QString message;
    };

    // Each is true for the service's yes, else false with the reason.
    static bool readUploadPoint(const QByteArray &body, UploadPoint *point, QString *reason);
    static bool readObjectId(const QByteArray &body, QString *objectId, QString *reason);
    // Code and message are filled whenever the answer is JSON, for the log.
    static bool readRegistration(const QByteArray &body, Registration *registration, QString *reason);
    // The number after the last "_" of a header such as "ZQ_5"; false when there is none.
    static bool readRetCode(const QByteArray &header, int *code);
};
