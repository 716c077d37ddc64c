#pragma once

#include <QPixmap>
#include <QString>

struct Colleague;

// Round head images with the person's surname, drawn once into the pack's cache.
class HeadImages
{
public:
    static QString folder();
    // The file of a colleague's head, drawn when it is missing; empty on failure.
    static QString pathFor(const Colleague &colleague);
    static QPixmap draw(const QString &surname, const QString &seed, int side);
    // A grey copy for people who are off line.
    static QPixmap greyed(const QPixmap &picture);
};
