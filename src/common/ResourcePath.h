#pragma once

#include <QPixmap>
#include <QString>

// Turns a resource path as the code quotes it ("Resources\Images\x.png",
// "Resources/Style/a.css") into the installed file next to the executable.
class ResourcePath
{
public:
    // Backslashes become "/", the three spellings of the images folder meet in
    // "Resources/images", and the path is looked up under the base folder (the
    // application folder unless set). With workingDirFirst the current folder is
    // tried before it. Absolute paths are only normalised. A file that exists
    // nowhere gives the base-folder path and a log line.
    static QString resolve(const QString &quoted, bool workingDirFirst = false);
    // The normalised relative form, e.g. "Resources/images/CommonCtrls/a.png".
    static QString normalise(const QString &quoted);

    // A style sheet read from a quoted path with its url(Resources/...) made absolute;
    // empty and a log line when it cannot be read.
    static QString styleSheet(const QString &quoted);
    // Every url(Resources/...) of a style text made absolute.
    static QString absoluteUrls(const QString &styleText);

    // The picture of a quoted path, its "@2x" form on a high-density display when
    // there is one (ratio 0: the application's). Null and a log line when missing.
    static QPixmap pixmap(const QString &quoted, qreal ratio = 0);

    // Where resources are looked up; tests point it at the build tree.
    static void setBaseDir(const QString &dir);
    static QString baseDir();
};
