#include "JidParts.h"

#include "log/ShellLog.h"

namespace {

constexpr qsizetype MaxPartBytes = 1023;

bool isControl(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7f;
}

bool validUser(const QString &user)
{
    if (user.isEmpty() || user.toUtf8().size() > MaxPartBytes)
        return false;
    for (const QChar c : user) {
        // The backslash is refused as well: the name becomes a folder.
        if (isControl(c) || QStringView(u" \"&'/:<>@\\").contains(c))
            return false;
    }
    return true;
}

bool validDomain(const QString &domain)
{
    if (domain.toUtf8().size() > MaxPartBytes)
        return false;
    for (const QChar c : domain) {
        if (isControl(c) || QStringView(u" @/\\").contains(c))
            return false;
    }
    return true;
}

bool validResource(const QString &resource)
{
    if (resource.toUtf8().size() > MaxPartBytes)
        return false;
    for (const QChar c : resource) {
        if (isControl(c))
            return false;
    }
    return true;
}

} // namespace

JidParts JidParts::split(const QString &jid)
{
    JidParts parts;
    const qsizetype slash = jid.indexOf(QLatin1Char('/'));
    const QString bare = slash < 0 ? jid : jid.left(slash);
    const bool hasResource = slash >= 0;
    if (hasResource)
        parts.resource = jid.mid(slash + 1);
    const qsizetype at = bare.indexOf(QLatin1Char('@'));
    const bool hasDomain = at >= 0;
    parts.user = (hasDomain ? bare.left(at) : bare).toLower();
    if (hasDomain)
        parts.domain = bare.mid(at + 1).toLower();

    parts.valid = validUser(parts.user) && (!hasDomain || !parts.domain.isEmpty())
        && validDomain(parts.domain) && (!hasResource || !parts.resource.isEmpty())
        && validResource(parts.resource);
    if (!parts.valid)
        parts = JidParts();
    return parts;
}

QString JidParts::jidToFolderName(const QString &jid)
{
    const JidParts parts = split(jid);
    if (!parts.valid) {
        LOG_WARN(QStringLiteral("JidParts::jidToFolderName: invalid jid \"%1\"").arg(jid));
        return {};
    }
    QString name = parts.user;
    name.remove(QLatin1String("zq"));
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) {
        LOG_WARN(QStringLiteral("JidParts::jidToFolderName: no usable folder name in \"%1\"").arg(jid));
        return {};
    }
    return name;
}
