#pragma once

#include <QPixmap>
#include <QWidget>

// A white panel with soft rounded edges, drawn from nine border pieces (corners
// kept, edges and centre stretched) so it fits any size.
class WidgetWhiteEx : public QWidget
{
    Q_OBJECT
public:
    explicit WidgetWhiteEx(QWidget *parent = nullptr);

    // The quoted paths of the nine pieces, row by row (top, mid, bottom; l, m, r).
    static QStringList piecePaths();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<QPixmap> m_pieces;
};
