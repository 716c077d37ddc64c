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

// One line adds a window from any file of this folder:
//   static const GalleryShotAdder mainWindow("main_window", [] { return new MainWindow; });
struct GalleryShotAdder
{
    GalleryShotAdder(const QString &name, std::function<QWidget *()> make,
                     std::function<void(QWidget *, const QPoint &)> show = {})
    {
        GalleryRegistry::add(name, std::move(make), std::move(show));
    }
};

// The controls library's shots, registered in order before any added by GalleryShotAdder.
void registerControlShots();
