#include "LogUploadReply.h"

#include <json/json.h>

#include <memory>

namespace {

bool parseObject(const QByteArray &body, Json::Value *root)
{
    Json::CharReaderBuilder builder;
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    return reader->parse(body.constData(), body.constData() + body.size(), root, &errors)
        && root->isObject();
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
        *code = QString::fromStdString(value.asString()).trimmed().toInt(&ok);
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
    if (value.isIntegral())
        return QString::number(value.asLargestInt());
    return QString();
}

// The member under "data" when the service wraps its answer, else at the top.
const Json::Value &payload(const Json::Value &root)
{
    const Json::Value &data = root["data"];
    return data.isObject() ? data : root;
}

} // namespace

bool LogUploadReply::readUploadPoint(const QByteArray &body, UploadPoint *point, QString *reason)
{
    Json::Value root;
    int code = -1;
    if (!parseObject(body, &root) || !readCode(payload(root), &code) || code != 0) {
        *reason = QStringLiteral("upload point answered no code 0");
        return false;
    }
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
    int code = -1;
    if (!parseObject(body, &root) || !readCode(payload(root), &code) || code != 0) {
        *reason = QStringLiteral("object-id query answered no code 0");
        return false;
    }
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
    if (!parseObject(body, &root)) {
        *reason = QStringLiteral("registration answer is no JSON");
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
    *code = header.mid(header.lastIndexOf('_') + 1).trimmed().toInt(&numeric);
    return numeric;
}
