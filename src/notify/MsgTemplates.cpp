#include "MsgTemplates.h"

#include "common/HtmlText.h"
#include "common/ResourcePath.h"
#include "bus/MainEventProcess.h"
#include "log/ShellLog.h"

#include <QColor>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QUrl>

namespace {

const QString DefaultColor = QStringLiteral("#446B87");
const QString LocationTemplate = QStringLiteral("Resources\\Html\\messageTemplate\\locationTemlate.html");
const QString FileTemplate = QStringLiteral("Resources\\Html\\messageTemplate\\FileRecvForMsg.html");
const QString CardTemplate = QStringLiteral("Resources\\Html\\messageTemplate\\msgVcardTemlate.html");
const QString ShortCardTemplate = QStringLiteral("Resources\\Html\\messageTemplate\\msgVcard2Temlate.html");
const QString ChatTemplate = QStringLiteral("Resources\\Html\\messageTemplate\\MsgChat.html");

constexpr int LocationType = 2;
constexpr int CardType = 5;
constexpr int LongNickname = 4;

bool isFileType(int type)
{
    switch (type) {
    case 1: case 3: case 4: case 6: case 7: case 8: case 11: case 14: case 17: case 18:
        return true;
    default:
        return false;
    }
}

QString esc(const QString &text)
{
    return HtmlText::escapeHtml(text);
}

// The handlers the shell itself writes into picture tags.
bool isShellHandler(const QString &name, const QString &value)
{
    static const QStringList allowed = {
        QStringLiteral("onload=javascript:resizeImg(this);"),
        QStringLiteral("onerror=javascript:replaceErrImg(this);"),
        QStringLiteral("onload=javascript:errorPic(this);"),
    };
    return allowed.contains(name.toLower() + QLatin1Char('=') + value.trimmed());
}

// Numeric character references, as the browser reads them in an attribute.
QString decodeReferences(const QString &value)
{
    static const QRegularExpression reference(QStringLiteral("&#(x?)([0-9a-fA-F]+);?"),
                                              QRegularExpression::CaseInsensitiveOption);
    QString out;
    qsizetype from = 0;
    auto it = reference.globalMatch(value);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        bool ok = false;
        const uint code = m.captured(2).toUInt(&ok, m.captured(1).isEmpty() ? 10 : 16);
        out += QStringView(value).mid(from, m.capturedStart() - from);
        if (ok && code > 0 && code <= 0x10FFFF)
            out += QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
        from = m.capturedEnd();
    }
    out += QStringView(value).mid(from);
    return HtmlText::unescapeHtml(out);
}

bool isScriptUrl(const QString &value)
{
    QString compact;
    for (const QChar c : decodeReferences(value)) {
        if (!c.isSpace() && c.unicode() >= 0x20)
            compact.append(c.toLower());
    }
    return compact.startsWith(QLatin1String("javascript:"))
        || compact.startsWith(QLatin1String("vbscript:"))
        || compact.startsWith(QLatin1String("data:text/html"));
}

QString cleanTag(const QRegularExpressionMatch &tag)
{
    static const QRegularExpression attribute(
        QStringLiteral("([^\\s=/>\"']+)(?:\\s*=\\s*(\"[^\"]*\"|'[^']*'|[^\\s>]+))?"));
    const QString name = tag.captured(2);
    QString out = QLatin1Char('<') + tag.captured(1) + name;
    auto it = attribute.globalMatch(tag.captured(3));
    while (it.hasNext()) {
        const QRegularExpressionMatch a = it.next();
        const QString attr = a.captured(1);
        QString value = a.captured(2);
        if (value.size() >= 2 && (value.startsWith(QLatin1Char('"')) || value.startsWith(QLatin1Char('\''))))
            value = value.mid(1, value.size() - 2);
        if (attr.startsWith(QLatin1String("on"), Qt::CaseInsensitive)) {
            if (!isShellHandler(attr, value))
                continue;
        } else if (isScriptUrl(value)) {
            continue;
        }
        out += QLatin1Char(' ') + a.captured(0);
    }
    out += tag.captured(4) + QLatin1Char('>');
    return out;
}

} // namespace

MsgTemplates::MsgTemplates(const QString &accountFolder) : m_accountFolder(accountFolder) {}

QString MsgTemplates::templateText(const QString &quoted)
{
    static QHash<QString, QString> cache;
    const auto found = cache.constFind(quoted);
    if (found != cache.cend())
        return *found;
    QFile file(ResourcePath::resolve(quoted, true));
    QString text;
    if (file.open(QIODevice::ReadOnly))
        text = QString::fromUtf8(file.readAll());
    else
        LOG_WARN(QStringLiteral("message template %1 cannot be read: %2").arg(quoted, file.errorString()));
    // Kept even when empty: a missing template stays missing for the process.
    cache.insert(quoted, text);
    return text;
}

QString MsgTemplates::fill(const QString &text, const QHash<QString, QString> &values)
{
    static const QRegularExpression placeholder(QStringLiteral("@([A-Za-z]+)@"));
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    auto it = placeholder.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const auto value = values.constFind(m.captured(1).toUpper());
        if (value == values.cend())
            continue;
        out += QStringView(text).mid(from, m.capturedStart() - from);
        out += *value;
        from = m.capturedEnd();
    }
    out += QStringView(text).mid(from);
    return out;
}

QString MsgTemplates::sanitizeHtml(const QString &html)
{
    static const QRegularExpression scriptElement(
        QStringLiteral("<\\s*(script|iframe|object|embed|frame|frameset|base|meta|link|style)\\b.*?<\\s*/\\s*\\1\\s*>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression strayTag(
        QStringLiteral("<\\s*/?\\s*(script|iframe|object|embed|frame|frameset|base|meta|link|style)\\b[^>]*>?"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tag(
        QStringLiteral("<(\\s*)([A-Za-z][A-Za-z0-9]*)((?:[^>\"']|\"[^\"]*\"|'[^']*')*?)(\\s*/?)>"));
    QString text = html;
    text.remove(scriptElement);
    text.remove(strayTag);
    QString out;
    qsizetype from = 0;
    auto it = tag.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(text).mid(from, m.capturedStart() - from);
        out += cleanTag(m);
        from = m.capturedEnd();
    }
    out += QStringView(text).mid(from);
    return out;
}

QString MsgTemplates::safeColor(const QString &color)
{
    const QString c = color.trimmed();
    if (c.isEmpty() || !QColor::isValidColor(c))
        return DefaultColor;
    return QColor(c).name();
}

QString MsgTemplates::safeWebUrl(const QString &url)
{
    const QUrl parsed(url.trimmed(), QUrl::StrictMode);
    const QString scheme = parsed.scheme().toLower();
    if (!parsed.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        || parsed.host().isEmpty())
        return QString();
    return parsed.toString(QUrl::FullyEncoded);
}

QString MsgTemplates::bareFileName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
        || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))
        || name.contains(QLatin1Char('\0')) || name.contains(QLatin1String("..")))
        return QString();
    return name;
}

QString MsgTemplates::cardImagePath(const MessageData &message) const
{
    const QString url = safeWebUrl(message.cardHeadUrl);
    const QString name = url.isEmpty() ? QString()
                                       : bareFileName(QUrl::fromPercentEncoding(
                                             url.section(QLatin1Char('/'), -1).toUtf8()));
    if (!name.isEmpty() && !m_accountFolder.isEmpty()) {
        const QString path = m_accountFolder + QStringLiteral("/designHeadImage/") + name;
        if (QFileInfo::exists(path) && QImageReader(path).canRead())
            return path;
    }
    MainEventProcess::lookUpContact(message.cardJid());
    return ResourcePath::resolve(QStringLiteral("Resources\\images\\FriendDetail\\defaultHead.png"));
}

QString MsgTemplates::fragment(const MessageData &message, const QString &contactName) const
{
    static int cardCounter = 0;
    const QString fromName = message.fromName.isEmpty() ? contactName : message.fromName;
    const QString time = message.time.isEmpty() ? message.secondTime : message.time;
    QHash<QString, QString> values{
        {QStringLiteral("COLOR"), safeColor(message.color)},
        {QStringLiteral("TIME"), esc(time)},
        {QStringLiteral("FROMNAME"), esc(fromName)},
    };
    QString quoted;
    if (message.type == LocationType) {
        quoted = LocationTemplate;
        values.insert(QStringLiteral("ADDRESS"), esc(message.locationAddress));
        values.insert(QStringLiteral("LOCATIONURL"), esc(safeWebUrl(message.locationUrl)));
    } else if (isFileType(message.type)) {
        quoted = FileTemplate;
        values.insert(QStringLiteral("TEXT"), sanitizeHtml(message.body));
    } else if (message.type == CardType) {
        quoted = message.cardNickname().size() > LongNickname ? CardTemplate : ShortCardTemplate;
        const QString name = message.cardName().isEmpty() ? contactName : message.cardName();
        values.insert(QStringLiteral("NICKNAME"), esc(message.cardNickname().isEmpty() ? name : message.cardNickname()));
        values.insert(QStringLiteral("JOBNUMBER"), esc(message.cardJid().section(QLatin1Char('@'), 0, 0)));
        values.insert(QStringLiteral("JID"), esc(message.cardJid()));
        values.insert(QStringLiteral("IMGPATH"), esc(QUrl::fromLocalFile(cardImagePath(message)).toString()));
        values.insert(QStringLiteral("UNIQUEID"), QStringLiteral("vcardimg%1").arg(++cardCounter));
    } else {
        quoted = ChatTemplate;
        values.insert(QStringLiteral("TEXT"), sanitizeHtml(message.text));
    }
    const QString text = templateText(quoted);
    return text.isEmpty() ? QString() : fill(text, values);
}

QString MsgTemplates::rewritePicture(const QString &html, const QString &picname,
                                     const QString &fileId, const QString &localPath, bool ok,
                                     const QString &failedPath)
{
    static const QRegularExpression img(
        QStringLiteral("<img\\s[^>]*?src\\s*=\\s*(['\"])(.*?)\\1[^>]*>"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression nameAttr(
        QStringLiteral("\\sname\\s*=\\s*(['\"])(.*?)\\1"), QRegularExpression::CaseInsensitiveOption);
    const QString replacement = ok
        ? QStringLiteral("<img src=\"%1\" name=\"%2\" fileid= \"%3\" onload=\"javascript:resizeImg(this);\" "
                         "onerror=\"javascript:replaceErrImg(this);\"/>")
              .arg(esc(localPath), esc(picname), esc(fileId))
        : QStringLiteral("<img src=\"%1\" name=\"%2\" fileid= \"%3\" onload=\"javascript:errorPic(this);\" "
                         "onerror=\"javascript:replaceErrImg(this);\"/>")
              .arg(esc(failedPath), esc(picname), esc(fileId));
    QString out;
    qsizetype from = 0;
    auto it = img.globalMatch(html);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QRegularExpressionMatch n = nameAttr.match(m.captured(0));
        if (!n.hasMatch() || HtmlText::unescapeHtml(n.captured(2)) != picname)
            continue;
        out += QStringView(html).mid(from, m.capturedStart() - from);
        out += replacement;
        from = m.capturedEnd();
    }
    out += QStringView(html).mid(from);
    return out;
}

QString MsgTemplates::scriptCall(const QString &function, const QStringList &args)
{
    QStringList literals;
    for (const QString &a : args) {
        const QString one = QString::fromUtf8(QJsonDocument(QJsonArray{a}).toJson(QJsonDocument::Compact));
        literals.append(one.mid(1, one.size() - 2));
    }
    return function + QLatin1Char('(') + literals.join(QStringLiteral(", ")) + QLatin1Char(')');
}
