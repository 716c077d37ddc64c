#pragma once

#include "XmlRecords.h"

#include <QDateTime>
#include <QFont>
#include <QList>
#include <QNetworkProxy>
#include <QObject>
#include <QPixmap>
#include <QString>
#include <QStringList>

// The shell's shared helpers in one place: identifiers, message-time texts, chat HTML,
// presence, disk space, account folders, head images, installation values and proxy,
// and the few process-wide values every window reads (current account, status line,
// icon font). Call from the GUI thread.
class CommonFun : public QObject
{
    Q_OBJECT
public:
    // Identifiers.
    static QString createGuidText();  // 36 upper-case hex digits and hyphens, no braces
    static QString createUniqueId();  // 32 lower-case hex digits
    static QString getAutoIncrementNumber(); // "0", "1", ... within one process

    // Message times ("yyyy-MM-dd hh:mm:ss[.zzz]", local).
    static QString formatChatDay(const QString &time);
    static QString formatChatDay(const QString &time, const QDateTime &now);
    static QString formatChatDayMs(const QString &time);
    static QString formatChatDayMs(const QString &time, const QDateTime &now);
    static QString formatChatTime(const QString &time);
    static QString formatChatTime(const QString &time, const QDateTime &now);

    // Chat text.
    static QString escapeHtml(const QString &text);
    static QString unescapeHtml(const QString &html);
    static QString spacesToNbsp(const QString &text);
    static void linkifyUrls(QString &text, const QString &style);
    // Characters U+4E00 to U+9FA5 weigh 2, every other character 1.
    static int textWeight(const QString &text);
    // An SQL text literal: value in single quotes, its own quotes doubled.
    static QString quoteSql(const QString &value);

    // Presence.
    static QString presenceText(int status, int device, bool invisible);
    static QList<QPixmap> presenceIcons(int status, int device);

    // Files and disks. Free bytes an unprivileged user may still write on the volume
    // of filePath (a folder, or a file's folder): 0 on failure.
    static quint64 diskFreeBytes(const QString &filePath);
    // The same in MiB; 20000 when the volume cannot be queried.
    static quint64 diskFreeMegabytes(const QString &path);
    static QString jidToFolderName(const QString &jid);
    static bool isUsableFolderName(const QString &name);
    static QList<XmlRecords::Record> readXmlRecords(const QString &path, const QString &recordTag = {});

    // Head images in <userFolder>/designHeadImage.
    static QString headImagePath(const QString &userFolder, const QString &imageUrl,
                                 const QString &jid, int size);
    static QString saveHeadImage(const QString &userFolder, const QString &imageUrl,
                                 const QString &jid, int width, int height, const QPixmap &picture);
    static QPixmap roundHeadImage(const QPixmap &picture, int diameter = 20);

    // Installation.
    static QString thisVersion();
    static QString windowTitle();
    static bool setThisVersion(const QString &version);

    // The icon font of buttons, menus and the weather glyphs; the font file of the
    // installation is registered on first use. Empty family when the file is unusable.
    static QString iconFontFamily();
    static QFont iconFont(int pixelSize);

    // User and links.
    static void setUserAccount(const QString &account);
    static QString userAccount();
    static QString accountMailAddress(const QString &account);
    // Opens the mail client for the addresses, or portalLink (the office portal for the
    // current account) when that fails; false when neither could be opened.
    static bool sendMail(const QStringList &addresses, const QString &portalLink = {});
    // The main window's status line, as plug-ins last set it.
    static void setStatusText(const QString &text);
    static QString statusText();

    // System.
    static bool proxyEnabled();
    static QString proxyServer();
    static QNetworkProxy httpProxy();
    static void applyProxySettings();
    static bool isFullScreenForeground();
};
