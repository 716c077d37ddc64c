#include "AccountFolder.h"

#include "StoreLog.h"

namespace {

constexpr qsizetype MaxPartBytes = 1023;

bool isDirectionMark(char16_t c)
{
    return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || c == 0x200E || c == 0x200F;
}

bool validPart(const QString &part, QStringView refused)
{
    if (part.toUtf8().size() > MaxPartBytes || AccountFolder::hasRefusedCharacter(part))
        return false;
    for (const QChar c : part) {
        if (refused.contains(c))
            return false;
    }
    return true;
}

} // namespace

bool AccountFolder::hasRefusedCharacter(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x20 || (c >= 0x7f && c < 0xa0) || isDirectionMark(c))
            return true;
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 >= text.size() || !text.at(i + 1).isLowSurrogate())
                return true;
            ++i;
        } else if (QChar::isLowSurrogate(c)) {
            return true;
        }
    }
    return false;
}

bool AccountFolder::splitJid(const QString &jid, QString *user, QString *domain, QString *resource)
{
    const qsizetype slash = jid.indexOf(QLatin1Char('/'));
    const QString bare = slash < 0 ? jid : jid.left(slash);
    const bool hasResource = slash >= 0;
    const QString res = hasResource ? jid.mid(slash + 1) : QString();
    const qsizetype at = bare.indexOf(QLatin1Char('@'));
    const bool hasDomain = at >= 0;
    const QString u = (hasDomain ? bare.left(at) : bare).toLower();
    const QString d = hasDomain ? bare.mid(at + 1).toLower() : QString();

    // The backslash is refused in the user part as well: the name becomes a folder.
    const bool valid = !u.isEmpty() && validPart(u, u" \"&'/:<>@\\") && (!hasDomain || !d.isEmpty())
        && validPart(d, u" @/\\") && (!hasResource || !res.isEmpty()) && validPart(res, {});
    *user = valid ? u : QString();
    *domain = valid ? d : QString();
    *resource = valid ? res : QString();
    return valid;
}

QString AccountFolder::fromJid(const QString &jid)
{
    QString name;
    QString domain;
    QString resource;
    if (!splitJid(jid, &name, &domain, &resource)) {
        STORE_LOG_WARN(QStringLiteral("AccountFolder::fromJid: invalid jid \"%1\"").arg(jid));
        return {};
    }
    name.remove(QLatin1String("zq"));
    if (!isUsableFolderName(name)) {
        STORE_LOG_WARN(QStringLiteral("AccountFolder::fromJid: no usable folder name in \"%1\"").arg(jid));
        return {};
    }
    return name;
}

bool AccountFolder::isUsableFolderName(const QString &name)
{
    return !name.trimmed().isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && !name.contains(QLatin1String("..")) && name != QLatin1String(".") && !hasRefusedCharacter(name);
}
