#include "LogUploadReply.h"

#include <json/json.h>

#include <memory>

namespace {

// False with the parser's own words when the body is no JSON object.
bool parseObject(const QByteArray &body, Json::Value *root, QString *why)
{
    Json::CharReaderBuilder builder;
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    try {
        if (!reader->parse(body.constData(), body.constData() + body.size(), root, &errors)) {
            *why = QString::fromStdString(errors).simplified();
            return false;
        }
    } catch (const Json::Exception &error) {
        // Nesting beyond the parser's stack limit throws instead of failing.
        *why = QString::fromUtf8(error.what());
        return false;
    }
    if (!root->isObject()) {
        *why = QStringLiteral("not an object");
        return false;
    }
    return true;
}

// Servers send the code as 0 or as "0"; asInt() on a text would throw.
bool readCode(const Json::Value &object, int *code)
{
    if (!object.isObject() || !object.isMember("code"))
        return false;
    const Json::Value &value = object["code"];
    if (value.isInt()) {
        *code = value.asInt();
        return true;
    }
    if (value.isString()) {
        bool ok = false;
        // A failed toInt() gives 0, which would read as success to whoever logs it.
        const int number = QString::fromStdString(value.asString()).trimmed().toInt(&ok);
        if (ok)
            *code = number;
        return ok;
    }
    return false;
}

QString textOf(const Json::Value &object, const char *key)
{
    if (!object.isObject())
        return QString();
    const Json::Value value = object.get(key, Json::Value());
    if (value.isString())
        return QString::fromStdString(value.asString());
    // An id may be a number beyond the signed range; asLargestInt() would throw.
    if (value.isInt64())
        return QString::number(value.asInt64());
    if (value.isUInt64())
        return QString::number(value.asUInt64());
    return QString();
}

// The member under "data" when the service wraps its answer, else at the top.
const Json::Value &payload(const Json::Value &root)
{
    const Json::Value &data = root["data"];
    return data.isObject() ? data : root;
}

// The answer's payload when it is a JSON object whose code is 0; else the reason.
bool acceptedPayload(const QByteArray &body, const QString &what, Json::Value *root, QString *reason)
{
    QString why;
    int code = -1;
    if (!parseObject(body, root, &why)) {
        *reason = what + QStringLiteral(" answer is no JSON object: ") + why;
        return false;
    }
    if (!readCode(payload(*root), &code) || code != 0) {
        *reason = what + QStringLiteral(" answered no code 0");
        return false;
    }
    return true;
}

} // namespace

bool LogUploadReply::readUploadPoint(const QByteArray &body, UploadPoint *point, QString *reason)
{
    Json::Value root;
    if (!acceptedPayload(body, QStringLiteral("upload point"), &root, reason))
        return false;
    const Json::Value &data = payload(root);
    point->requestId = textOf(data, "requestId");
    point->url = textOf(data, "url");
    point->keyId = textOf(data, "salAccessKeyId");
    point->callbackUri = textOf(data, "callbackuri");
    return true;
}

bool LogUploadReply::readObjectId(const QByteArray &body, QString *objectId, QString *reason)
{
    Json::Value root;
    if (!acceptedPayload(body, QStringLiteral("object-id query"), &root, reason))
        return false;
    *objectId = textOf(payload(root), "objectId");
    if (objectId->isEmpty()) {
        *reason = QStringLiteral("object-id query answered no object id");
        return false;
    }
    return true;
}

bool LogUploadReply::readRegistration(const QByteArray &body, Registration *registration, QString *reason)
{
    Json::Value root;
    QString why;
    if (!parseObject(body, &root, &why)) {
        *reason = QStringLiteral("registration answer is no JSON object: ") + why;
        return false;
    }
    registration->message = textOf(root, "msg");
    // This code means refused, wherever else a 0 appears in the answer.
    if (body.contains("\"code\":\"10005\"")) {
        *reason = QStringLiteral("registration refused (10005)");
        return false;
    }
    if (!readCode(root, &registration->code) || registration->code != 0) {
        *reason = QStringLiteral("registration code %1").arg(registration->code);
        return false;
    }
    return true;
}

bool LogUploadReply::readRetCode(const QByteArray &header, int *code)
{
    bool numeric = false;
    const int number = header.mid(header.lastIndexOf('_') + 1).trimmed().toInt(&numeric);
    if (numeric)
        *code = number;
    return numeric;
}
