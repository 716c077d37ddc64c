#pragma once

#include <lumio/MessageData.h>

#include <QString>

// Turns one unread message into the HTML fragment the message page appends:
// picks the template by message type and fills its placeholders safely.
class MsgTemplates
{
public:
    // accountFolder: <message file path>/<own account>, where card pictures live.
    explicit MsgTemplates(const QString &accountFolder = QString());

    // contactName: the sender's display name, used when the message carries none
    // and for a card without a name. Empty when the template cannot be read.
    QString fragment(const MessageData &message, const QString &contactName) const;

    // Template text by quoted path, read once per process; empty and a log line if missing.
    static QString templateText(const QString &quoted);
    // Fills every @NAME@ of values (keys upper case) in one pass, case-insensitively;
    // unknown placeholders and those in the values stay as they are.
    static QString fill(const QString &text, const QHash<QString, QString> &values);
    // Chat HTML without script elements, javascript: URLs or on* handlers, except the
    // picture handlers the shell writes itself.
    static QString sanitizeHtml(const QString &html);
    // The colour when it parses as one, else the default "#446B87".
    static QString safeColor(const QString &color);
    // The address when it is http(s), else empty.
    static QString safeWebUrl(const QString &url);
    // A bare file name (no separator, not "." or "..", not empty), else empty.
    static QString bareFileName(const QString &name);

    // The <img> tag naming the picture rewritten to its downloaded or failed form.
    static QString rewritePicture(const QString &html, const QString &picname,
                                  const QString &fileId, const QString &localPath, bool ok,
                                  const QString &failedPath);
    // name(args...) with each argument a JSON string literal.
    static QString scriptCall(const QString &function, const QStringList &args);

private:
    QString cardImagePath(const MessageData &message) const;

    QString m_accountFolder;
};
