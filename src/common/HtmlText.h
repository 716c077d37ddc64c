#pragma once

#include <QString>

// Chat text on its way into the HTML message view: escaping and link mark-up.
class HtmlText
{
public:
    // "&", "<", ">", "\"" and "'" as entities; unescapeHtml(escapeHtml(t)) == t for every t.
    static QString escapeHtml(const QString &text);
    // Reverses escapeHtml; "&apos;" is read too, other "&" texts stay as they are.
    static QString unescapeHtml(const QString &html);
    // Every pair of blanks as "&nbsp;&nbsp;", so the view keeps them.
    static QString spacesToNbsp(const QString &text);

    // Wraps each web address (http://, https://, ftp://, www.) in a link the chat view
    // opens; style is put into each <a> tag. Text without an address stays unchanged.
    static void linkifyUrls(QString &text, const QString &style);

    static const QString linkTarget; // "web://urllink//", followed by the address
};
