#include "FuzzInput.h"
#include "FuzzTarget.h"

#include "log/upload/LogUploadReply.h"

// What the file service and the log-info service may answer: every reader
// returns whatever the members' types, a yes carries what the next step needs,
// and a no always says why.
namespace {

const QByteArray Refused = QByteArrayLiteral("\"code\":\"10005\"");

void uploadPoint(const QByteArray &body)
{
    LogUploadReply::UploadPoint point;
    QString reason;
    const bool ok = LogUploadReply::readUploadPoint(body, &point, &reason);
    FUZZ_CHECK(ok == reason.isEmpty());
}

void objectId(const QByteArray &body)
{
    QString id, reason;
    const bool ok = LogUploadReply::readObjectId(body, &id, &reason);
    FUZZ_CHECK(ok == reason.isEmpty());
    FUZZ_CHECK(!ok || !id.isEmpty());
}

void registration(const QByteArray &body)
{
    LogUploadReply::Registration answer;
    QString reason;
    const bool ok = LogUploadReply::readRegistration(body, &answer, &reason);
    FUZZ_CHECK(ok == reason.isEmpty());
    FUZZ_CHECK(!ok || answer.code == 0);
    // A no logged with code 0 would send whoever reads the log the wrong way.
    FUZZ_CHECK(ok || answer.code != 0 || body.contains(Refused));
}

void retCode(const QByteArray &header, quint16 number)
{
    int code = 0;
    LogUploadReply::readRetCode(header, &code);
    // Whatever comes first, the number after the last "_" is the code.
    FUZZ_CHECK(LogUploadReply::readRetCode(header + "_" + QByteArray::number(number), &code));
    FUZZ_CHECK(code == number);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    switch (input.byte() % 4) {
    case 0: uploadPoint(input.rest()); break;
    case 1: objectId(input.rest()); break;
    case 2: registration(input.rest()); break;
    default: {
        const quint16 number = input.word();
        retCode(input.rest(), number);
    }
    }
    return 0;
}
