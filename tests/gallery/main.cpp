// Shows every registered window on a light desktop and saves what the X server
// shows (so a running compositor's shadow is in the picture) as <out>/<name><suffix>.png.
//   lumio_gallery --out DIR [--suffix S] [--only NAME[,NAME...]] [--list]
#include "GalleryRegistry.h"

#include "common/ResourcePath.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFont>
#include <QPainter>
#include <QScreen>
#include <QTextStream>
#include <QTimer>

namespace {

void settle(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// A plain desktop behind the shots, so shadows and rounded corners show.
class Desktop : public QWidget
{
public:
    Desktop()
        : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint)
    {
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        QLinearGradient gradient(0, 0, 0, height());
        gradient.setColorAt(0, QColor(0xe9, 0xee, 0xf1));
        gradient.setColorAt(1, QColor(0xd9, 0xe1, 0xe6));
        painter.fillRect(rect(), gradient);
    }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 9));
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("out"), QStringLiteral("folder"), QStringLiteral("dir"), QStringLiteral(".")});
    parser.addOption({QStringLiteral("suffix"), QStringLiteral("file name suffix"), QStringLiteral("suffix")});
    parser.addOption({QStringLiteral("only"), QStringLiteral("names"), QStringLiteral("names")});
    parser.addOption({QStringLiteral("list"), QStringLiteral("print the names")});
    parser.process(app);

    // The controls first, then whatever other files added at start-up.
    const QList<GalleryShot> added = GalleryRegistry::shots();
    GalleryRegistry::shots().clear();
    registerControlShots();
    GalleryRegistry::shots() += added;
    QTextStream out(stdout);
    if (parser.isSet(QStringLiteral("list"))) {
        for (const GalleryShot &shot : GalleryRegistry::shots())
            out << shot.name << '\n';
        return 0;
    }
    const QStringList only = parser.value(QStringLiteral("only")).split(QLatin1Char(','), Qt::SkipEmptyParts);
    const QDir outDir(parser.value(QStringLiteral("out")));
    QDir().mkpath(outDir.path());

    Desktop desktop;
    QScreen *screen = QApplication::primaryScreen();
    desktop.setGeometry(screen->geometry());
    desktop.show();
    settle(300);

    int failures = 0;
    const QPoint place(60, 50);
    const int margin = 24;
    for (const GalleryShot &shot : GalleryRegistry::shots()) {
        if (!only.isEmpty() && !only.contains(shot.name))
            continue;
        QWidget *window = shot.make();
        if (shot.show) {
            shot.show(window, place);
        } else {
            window->move(place);
            window->show();
        }
        settle(500);
        const QRect area = window->frameGeometry().adjusted(-margin, -margin, margin, margin);
        const QPixmap picture = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
        const QString file = outDir.filePath(shot.name + parser.value(QStringLiteral("suffix")) + QStringLiteral(".png"));
        if (picture.isNull() || !picture.save(file)) {
            out << "FAILED " << file << '\n';
            ++failures;
        } else {
            out << file << '\n';
        }
        window->hide();
        delete window;
        settle(100);
    }
    return failures == 0 ? 0 : 1;
}
