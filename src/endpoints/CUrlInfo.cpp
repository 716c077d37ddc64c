#include "CUrlInfo.h"

#include "log/ShellLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringDecoder>
#include <QTemporaryFile>
#include <QUrl>

namespace {

constexpr qint64 MaxFileBytes = 1024 * 1024;

// Collects what a load found missing or malformed, so each load logs it once.
class Reader
{
public:
    explicit Reader(const QSettings &ini) : m_ini(ini) {}

    QString text(const QString &key, bool reportMissing = true)
    {
        const QVariant value = m_ini.value(key);
        if (!value.isValid()) {
            if (reportMissing)
                m_missing.append(key);
            return {};
        }
        const int type = value.typeId();
        if (type != QMetaType::QString && type != QMetaType::QStringList
            && type != QMetaType::QByteArray) {
            m_wrong.append(QStringLiteral("%1 (%2)").arg(key, QString::fromLatin1(value.typeName())));
            return {};
        }
        const QString result = CUrlInfo::textValue(value).trimmed();
        if (result.isEmpty() && reportMissing)
            m_missing.append(key);
        return result;
    }

    QStringList list(const QString &key)
    {
        const QVariant value = m_ini.value(key);
        if (!value.isValid())
            return {};
        // A quoted "a,b" arrives as one text; either way the list is what was written.
        QStringList items = value.typeId() == QMetaType::QStringList
                                ? value.toStringList()
                                : text(key, false).split(QLatin1Char(','));
        QStringList result;
        for (QString &item : items) {
            item = item.trimmed();
            if (!item.isEmpty())
                result.append(item);
        }
        return result;
    }

    int number(const QString &key)
    {
        const QString written = text(key);
        if (written.isEmpty())
            return 0;
        bool ok = false;
        const int result = written.toInt(&ok);
        if (!ok)
            m_wrong.append(QStringLiteral("%1 (\"%2\" is not a number)").arg(key, written));
        return ok ? result : 0;
    }

    void usedDefault(const QString &key) { m_defaulted.append(key); }

    void report(const QString &path) const
    {
        if (!m_wrong.isEmpty())
            LOG_WARN(QStringLiteral("allurl.ini %1: values of the wrong kind, defaults used: %2")
                         .arg(path, m_wrong.join(QStringLiteral(", "))));
        if (m_missing.isEmpty())
            return;
        QString summary = QStringLiteral("allurl.ini %1: %2 keys missing or empty").arg(path).arg(m_missing.size());
        if (!m_defaulted.isEmpty())
            summary += QStringLiteral(", built-in defaults used for ") + m_defaulted.join(QStringLiteral(", "));
        LOG_INFO(summary);
        LOG_DEBUG(QStringLiteral("allurl.ini missing or empty: ") + m_missing.join(QStringLiteral(", ")));
    }

private:
    const QSettings &m_ini;
    QStringList m_missing;
    QStringList m_wrong;
    QStringList m_defaulted;
};

bool hasUnquotedSemicolon(const QByteArray &value)
{
    bool quoted = false;
    for (int i = 0; i < value.size(); ++i) {
        const char c = value.at(i);
        if (c == '\\')
            ++i;
        else if (c == '"')
            quoted = !quoted;
        else if (c == ';' && !quoted)
            return true;
    }
    return false;
}

// QSettings drops such lines, and cuts a value at ';', without a word.
void reportSuspiciousContent(const QString &path, const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(bytes);
    Q_UNUSED(decoded)
    if (utf8.hasError())
        LOG_WARN(QStringLiteral("allurl.ini %1 is not valid UTF-8; such text is garbled").arg(path));

    QStringList garbage;
    QStringList cut;
    bool continued = false;
    const QList<QByteArray> lines = bytes.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const bool continuation = continued;
        continued = line.endsWith('\\');
        if (continuation || line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        const QString number = QString::number(i + 1);
        if (line.startsWith('[')) {
            if (!line.contains(']'))
                garbage.append(number);
        } else if (line.indexOf('=') <= 0) {
            garbage.append(number);
        } else if (hasUnquotedSemicolon(line.mid(line.indexOf('=') + 1))) {
            cut.append(number);
        }
    }
    if (!garbage.isEmpty())
        LOG_WARN(QStringLiteral("allurl.ini %1: lines ignored, neither section nor key=value: %2")
                     .arg(path, garbage.join(QStringLiteral(", "))));
    if (!cut.isEmpty())
        LOG_WARN(QStringLiteral("allurl.ini %1: values cut at an unquoted ';' (quote them to keep it): lines %2")
                     .arg(path, cut.join(QStringLiteral(", "))));
}

// The numbers of QString::arg's place markers ("%1" to "%99", "%L1").
QList<int> placeMarkers(const QString &text)
{
    QList<int> markers;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('%'))
            continue;
        int j = i + 1;
        if (j < text.size() && text.at(j) == QLatin1Char('L'))
            ++j;
        if (j >= text.size() || !text.at(j).isDigit())
            continue;
        int number = text.at(j).digitValue();
        if (j + 1 < text.size() && text.at(j + 1).isDigit())
            number = number * 10 + text.at(j + 1).digitValue();
        markers.append(number);
    }
    return markers;
}

QString percentEncoded(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

} // namespace

CUrlInfo *CUrlInfo::instance()
{
    static CUrlInfo *const info = [] {
        auto *created = new CUrlInfo;
        const QString path = defaultPath();
        if (!path.isEmpty())
            created->load(path);
        return created;
    }();
    return info;
}

CUrlInfo::CUrlInfo()
{
    setDefaults();
}

QString CUrlInfo::defaultPath()
{
    if (!QCoreApplication::instance())
        return {};
    return QCoreApplication::applicationDirPath() + QStringLiteral("/allurl.ini");
}

const std::array<CUrlInfo::Row, CUrlInfo::KeyCount> &CUrlInfo::rows()
{
#define LUMIO_URL_ROW(getter, key, kind, host, path) Row{Key::getter, key, Kind::kind, Host::host, path},
    static const std::array<Row, KeyCount> table{{LUMIO_URL_KEYS(LUMIO_URL_ROW)}};
#undef LUMIO_URL_ROW
    return table;
}

QString CUrlInfo::appHost()
{
    return QStringLiteral("https://app.example.invalid");
}

QString CUrlInfo::monitorHost()
{
    return QStringLiteral("https://monitor.example.invalid");
}

QString CUrlInfo::defaultSipDomain()
{
    return QStringLiteral("sip.example.invalid");
}

QString CUrlInfo::defaultValue(const Row &row)
{
    switch (row.host) {
    case Host::App:
        return appHost() + QLatin1String(row.defaultPath);
    case Host::Monitor:
        return monitorHost() + QLatin1String(row.defaultPath);
    case Host::NoHost:
        break;
    }
    return {};
}

QStringList CUrlInfo::appBoxSections()
{
    return {QStringLiteral("mail"),     QStringLiteral("calendar"),   QStringLiteral("meeting"),
            QStringLiteral("approval"), QStringLiteral("knowledge"),  QStringLiteral("survey"),
            QStringLiteral("expense"),  QStringLiteral("attendance"), QStringLiteral("training"),
            QStringLiteral("office"),   QStringLiteral("helpdesk")};
}

void CUrlInfo::setDefaults()
{
    for (const Row &row : rows())
        m_values[index(row.id)] = row.kind == Kind::Number ? QVariant(0) : QVariant(defaultValue(row));
    m_sipDomains = {{QStringLiteral("000000"), defaultSipDomain()}};
    m_appBox.clear();
    for (const QString &section : appBoxSections())
        m_appBox.append(AppBoxEntry{section, {}, {}, {}});
}

bool CUrlInfo::load(const QString &iniPath)
{
    m_path = iniPath;
    setDefaults();

    QFile file(iniPath);
    if (!QFileInfo(iniPath).isFile() || !file.open(QIODevice::ReadOnly)) {
        LOG_WARN(QStringLiteral("allurl.ini not readable at %1: built-in defaults used").arg(iniPath));
        return false;
    }
    if (file.size() > MaxFileBytes) {
        LOG_WARN(QStringLiteral("allurl.ini %1 is over %2 bytes: built-in defaults used")
                     .arg(iniPath)
                     .arg(MaxFileBytes));
        return false;
    }
    const QByteArray bytes = file.readAll();
    reportSuspiciousContent(iniPath, bytes);

    // QSettings keeps parsed files by path and trusts an unchanged size and time stamp, so a
    // quick rewrite of the same length would read stale; a private copy is always parsed afresh.
    QTemporaryFile copy(QDir::tempPath() + QStringLiteral("/allurl-XXXXXX.ini"));
    QString parsed = iniPath;
    if (copy.open() && copy.write(bytes) == bytes.size() && copy.flush())
        parsed = copy.fileName();
    else
        LOG_DEBUG(QStringLiteral("allurl.ini: no private copy, parsing %1 in place").arg(iniPath));

    const QSettings ini(parsed, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError)
        LOG_WARN(QStringLiteral("allurl.ini %1 is malformed; what could be parsed is used").arg(iniPath));

    Reader reader(ini);
    for (const Row &row : rows()) {
        const QString key = QLatin1String(row.key);
        if (row.kind == Kind::Number) {
            m_values[index(row.id)] = reader.number(key);
            continue;
        }
        const QString text = reader.text(key);
        if (text.isEmpty() && row.host != Host::NoHost)
            reader.usedDefault(key);
        m_values[index(row.id)] = text.isEmpty() ? defaultValue(row) : text;
    }

    m_sipDomains.clear();
    for (int n = 0;; ++n) {
        const QString domain = reader.text(QStringLiteral("/sipphone/domain%1").arg(n), n == 0);
        if (domain.isEmpty())
            break;
        const QStringList ranges = reader.list(QStringLiteral("/sipphone/numrange%1").arg(n));
        if (ranges.isEmpty()) {
            m_sipDomains.insert(QStringLiteral("000000"), domain);
            break;
        }
        for (const QString &range : ranges)
            m_sipDomains.insert(range, domain);
    }
    if (m_sipDomains.isEmpty()) {
        reader.usedDefault(QStringLiteral("/sipphone/domain0"));
        m_sipDomains.insert(QStringLiteral("000000"), defaultSipDomain());
    }

    for (AppBoxEntry &entry : m_appBox) {
        const QString prefix = QLatin1Char('/') + entry.section + QLatin1Char('/');
        entry.url = reader.text(prefix + QStringLiteral("theurl"));
        entry.icon = reader.text(prefix + QStringLiteral("bigicon"));
        entry.name = reader.text(prefix + QStringLiteral("name"));
    }

    reader.report(iniPath);
    return true;
}

QString CUrlInfo::filled(Key key, const QString &argument) const
{
    const QString pattern = text(key);
    if (pattern.isEmpty())
        return {};
    if (!placeMarkers(pattern).contains(1)) {
        LOG_WARN(QStringLiteral("allurl.ini %1: %2 has no %3 for its argument")
                     .arg(m_path, QLatin1String(rows()[index(key)].key), QStringLiteral("%1")));
        return pattern;
    }
    return pattern.arg(argument);
}

QString CUrlInfo::OaurlTheurl(const QString &argument) const
{
    const QString pattern = text(Key::OaurlTheurl);
    if (pattern.isEmpty())
        return {};
    // Encoded first: an account with '&', ' ' or CJK text must stay one query value.
    const QString account = percentEncoded(argument);
    const QString target = percentEncoded(text(Key::OaurlTarurl));
    const QList<int> markers = placeMarkers(pattern);
    if (markers.contains(1) && markers.contains(2))
        return pattern.arg(account, target);
    if (markers.contains(1))
        return pattern.arg(account) + target;
    LOG_WARN(QStringLiteral("allurl.ini %1: /oaurl/theurl has no %2 for the account").arg(m_path, QStringLiteral("%1")));
    return pattern + target;
}

QString CUrlInfo::QueryCloudAccountDataUrl() const
{
    LOG_INFO(QStringLiteral("FileName=") + m_path);
    return text(Key::CloudQueryclouduser);
}

QStringList CUrlInfo::pluginNames() const
{
    const QString dlls = text(Key::PluginsDlls);
    if (dlls.isEmpty())
        return {};
    QStringList names = dlls.split(QLatin1Char(','), Qt::KeepEmptyParts);
    for (QString &name : names)
        name = name.trimmed();
    return names;
}

QString CUrlInfo::textValue(const QVariant &value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}
