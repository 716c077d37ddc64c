#include "HtmlText.h"

#include <QRegularExpression>
#include <QStringView>

namespace {

struct Entity
{
    QChar character;
    QLatin1String text;
};

const Entity Entities[] = {
    {QLatin1Char('&'), QLatin1String("&amp;")},
    {QLatin1Char('<'), QLatin1String("&lt;")},
    {QLatin1Char('>'), QLatin1String("&gt;")},
    {QLatin1Char('"'), QLatin1String("&quot;")},
    {QLatin1Char('\''), QLatin1String("&#39;")},
    {QLatin1Char('\''), QLatin1String("&apos;")},
};

const QRegularExpression &urlPattern()
{
    // \w must match CJK host names too. The path also takes upper-case letters, so that
    // an address with a capital in its path is not cut short. In escaped text "&amp;"
    // belongs to an address, but a quote or bracket entity ends it as the character would.
    static const QRegularExpression pattern(
        QStringLiteral("((http|https|ftp)://|(www)\\.)(\\w+)"
                       "(\\.?(?:[\\.a-zA-Z0-9/:?%=\\-_+#;]|&(?!quot;|lt;|gt;|#39;|apos;))*)"),
        QRegularExpression::UseUnicodePropertiesOption);
    return pattern;
}

} // namespace

const QString HtmlText::linkTarget = QStringLiteral("web://urllink//");

QString HtmlText::escapeHtml(const QString &text)
{
    QString html;
    html.reserve(text.size() + text.size() / 8);
    for (const QChar c : text) {
        const Entity *entity = nullptr;
        for (const Entity &candidate : Entities) {
            if (candidate.character == c) {
                entity = &candidate;
                break;
            }
        }
        if (entity)
            html += entity->text;
        else
            html += c;
    }
    return html;
}

QString HtmlText::unescapeHtml(const QString &html)
{
    QString text;
    text.reserve(html.size());
    const QStringView view(html);
    qsizetype i = 0;
    while (i < view.size()) {
        if (view[i] == QLatin1Char('&')) {
            const Entity *found = nullptr;
            for (const Entity &entity : Entities) {
                if (view.mid(i).startsWith(entity.text)) {
                    found = &entity;
                    break;
                }
            }
            if (found) {
                text += found->character;
                i += found->text.size();
                continue;
            }
        }
        text += view[i];
        ++i;
    }
    return text;
}

QString HtmlText::spacesToNbsp(const QString &text)
{
    QString html = text;
    return html.replace(QLatin1String("  "), QLatin1String("&nbsp;&nbsp;"));
}

void HtmlText::linkifyUrls(QString &text, const QString &style)
{
    // One pass over the text: the subject is checked once, not again for each address.
    QRegularExpressionMatchIterator matches = urlPattern().globalMatch(text);
    if (!matches.hasNext())
        return;
    const QStringView view(text);
    QString result;
    result.reserve(text.size() * 2);
    qsizetype copied = 0;
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        const QStringView url = match.capturedView();
        result += view.mid(copied, match.capturedStart() - copied);
        result += QLatin1String("<a onfocus='this.blur()' href='");
        result += linkTarget;
        result += url;
        result += QLatin1String("' target='_blank' ");
        result += style;
        result += QLatin1Char('>');
        result += url;
        result += QLatin1String("</a>");
        copied = match.capturedEnd();
    }
    result += view.mid(copied);
    text = result;
}
