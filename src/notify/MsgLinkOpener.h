#pragma once

#include <QUrl>

#include <functional>

// Decides what a link clicked in the message page may open: web addresses,
// existing local folders, nothing else.
class MsgLinkOpener
{
public:
    using UrlHandler = std::function<bool(const QUrl &)>;

    // True when the link was handed to the URL handler.
    static bool open(const QString &link);
    // Tests replace the desktop's URL handler; an empty one puts it back.
    static void setUrlHandler(UrlHandler handler);
};
