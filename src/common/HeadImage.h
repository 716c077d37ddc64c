#pragma once

#include <QPixmap>
#include <QString>

// Head images kept in the user's "designHeadImage" folder, and their round form.
class HeadImage
{
public:
    static QString folder(const QString &userFolder);

    // The last path segment of imageUrl; without one, the bare jid, "_<size>" when
    // size > 0, and ".png". Empty (and a log line) when neither gives a safe file name.
    static QString fileName(const QString &imageUrl, const QString &jid, int size);
    static QString path(const QString &userFolder, const QString &imageUrl, const QString &jid,
                        int size);

    // Scales picture to width x height and stores it under path(userFolder, imageUrl, jid,
    // width); returns the file, or empty (and a log line) on failure.
    static QString save(const QString &userFolder, const QString &imageUrl, const QString &jid,
                        int width, int height, const QPixmap &picture);

    // picture cut to a circle of the given diameter, the rest transparent.
    static QPixmap round(const QPixmap &picture, int diameter);
};
