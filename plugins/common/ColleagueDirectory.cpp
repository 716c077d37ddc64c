#include "ColleagueDirectory.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QtDebug>

namespace {

// A user part must be a plain folder name too (the account folder is named after it).
bool usableUser(const QString &user)
{
    static const QRegularExpression plain(QStringLiteral("^[a-z0-9._-]+$"));
    return plain.match(user).hasMatch() && !user.contains(QLatin1String("zq"))
        && user != QLatin1String(".") && user != QLatin1String("..");
}

} // namespace

const ColleagueDirectory &ColleagueDirectory::instance()
{
    static const ColleagueDirectory directory = [] {
        ColleagueDirectory d;
        if (d.load(defaultPath()))
            return d;
        qWarning().noquote() << "demo directory:" << d.errorText() << "; the built-in copy is used";
        if (!d.load(builtInPath()))
            qWarning().noquote() << "demo directory:" << d.errorText();
        return d;
    }();
    return directory;
}

QString ColleagueDirectory::defaultPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Resources/Demo/colleagues.json");
}

QString ColleagueDirectory::builtInPath()
{
    return QStringLiteral(":/lumio-pack/colleagues.json");
}

bool ColleagueDirectory::load(const QString &path)
{
    m_colleagues.clear();
    m_error.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!doc.isObject()) {
        m_error = QStringLiteral("%1 is not a directory: %2").arg(path, parseError.errorString());
        return false;
    }
    const QJsonObject root = doc.object();
    m_domain = root.value(QLatin1String("domain")).toString().toLower();
    m_password = root.value(QLatin1String("password")).toString();
    if (m_domain.isEmpty()) {
        m_error = QStringLiteral("%1 names no domain").arg(path);
        return false;
    }
    for (const QJsonValue &value : root.value(QLatin1String("colleagues")).toArray()) {
        const QJsonObject o = value.toObject();
        Colleague c;
        c.user = o.value(QLatin1String("user")).toString().trimmed().toLower();
        c.name = o.value(QLatin1String("name")).toString();
        if (!usableUser(c.user) || c.name.isEmpty() || find(c.user).isValid()) {
            qWarning().noquote() << "demo directory: entry" << c.user << "skipped";
            continue;
        }
        c.jid = c.user + QLatin1Char('@') + m_domain;
        c.department = o.value(QLatin1String("department")).toString();
        c.title = o.value(QLatin1String("title")).toString();
        c.signature = o.value(QLatin1String("signature")).toString();
        m_colleagues.append(c);
    }
    if (m_colleagues.isEmpty()) {
        m_error = QStringLiteral("%1 lists nobody").arg(path);
        return false;
    }
    return true;
}

Colleague ColleagueDirectory::find(const QString &userOrJid) const
{
    const QString key = userOrJid.trimmed().toLower().section(QLatin1Char('/'), 0, 0);
    const bool isJid = key.contains(QLatin1Char('@'));
    for (const Colleague &c : m_colleagues) {
        if ((isJid && c.jid == key) || (!isJid && c.user == key))
            return c;
    }
    return {};
}

bool ColleagueDirectory::checkPassword(const QString &password) const
{
    return !m_password.isEmpty() && password == m_password;
}

QStringList ColleagueDirectory::departments() const
{
    QStringList names;
    for (const Colleague &c : m_colleagues) {
        if (!names.contains(c.department))
            names.append(c.department);
    }
    return names;
}
