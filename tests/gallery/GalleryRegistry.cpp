#include "GalleryRegistry.h"

QList<GalleryShot> &GalleryRegistry::shots()
{
    static QList<GalleryShot> list;
    return list;
}

void GalleryRegistry::add(const QString &name, std::function<QWidget *()> make,
                          std::function<void(QWidget *, const QPoint &)> show)
{
    shots().append({name, std::move(make), std::move(show)});
}
