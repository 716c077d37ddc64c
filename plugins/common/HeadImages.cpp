#include "HeadImages.h"

#include "ColleagueDirectory.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QStandardPaths>
#include <QtDebug>

namespace {

constexpr int Side = 96;

const QColor Palette[] = {
    QColor(0x3a, 0x8f, 0xd9), QColor(0x2f, 0xb3, 0x8f), QColor(0xe0, 0x8a, 0x2e),
    QColor(0xc2, 0x5b, 0x8c), QColor(0x6c, 0x6f, 0xd6), QColor(0xd2, 0x55, 0x4f),
};

} // namespace

QString HeadImages::folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation)
        + QStringLiteral("/lumio-pack/heads");
}

QString HeadImages::pathFor(const Colleague &colleague)
{
    if (!colleague.isValid())
        return {};
    const QString path = folder() + QLatin1Char('/') + colleague.user + QStringLiteral(".png");
    if (QFileInfo::exists(path))
        return path;
    if (!QDir().mkpath(folder())) {
        qWarning().noquote() << "head images: cannot create" << folder();
        return {};
    }
    if (!draw(colleague.surname(), colleague.user, Side).save(path, "PNG")) {
        qWarning().noquote() << "head images: cannot write" << path;
        return {};
    }
    return path;
}

QPixmap HeadImages::draw(const QString &surname, const QString &seed, int side)
{
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor base = Palette[qHash(seed) % (sizeof(Palette) / sizeof(Palette[0]))];
    QLinearGradient gradient(0, 0, side, side);
    gradient.setColorAt(0, base.lighter(125));
    gradient.setColorAt(1, base);
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawEllipse(QRectF(0, 0, side, side));
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(side * 9 / 20);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, 0, side, side), Qt::AlignCenter, surname);
    return picture;
}

QPixmap HeadImages::greyed(const QPixmap &picture)
{
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = qGray(line[x]);
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
        }
    }
    return QPixmap::fromImage(image);
}
