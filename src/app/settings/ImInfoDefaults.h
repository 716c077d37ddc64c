#pragma once

#include <QString>

// The first-run contents of IMInfo.ini. An existing file is never touched.
class ImInfoDefaults
{
public:
    enum class Result { Written, AlreadyThere, Failed };
    static Result ensure(const QString &iniPath, const QString &messageFileRoot, QString *error);
};
