#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

// The windows the screenshot program renders, by name. A shot's factory builds the
// window (not shown); the program shows, places and photographs it, then deletes it.
// A popup (menu) is shown by its own show function instead.
struct GalleryShot
{
    QString name;
    std::function<QWidget *()> make;
    std::function<void(QWidget *, const QPoint &)> show = {};
};

class GalleryRegistry
{
public:
    static QList<GalleryShot> &shots();
    static void add(const QString &name, std::function<QWidget *()> make,
                    std::function<void(QWidget *, const QPoint &)> show = {});
};

// Registers the shots of one area; each area's file defines one of these.
void registerControlShots();
