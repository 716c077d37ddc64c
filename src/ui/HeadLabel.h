#pragma once

#include <QLabel>
#include <QPixmap>

// The user's own head image in the main window's header: drawn round with a thin
// white ring and a presence badge at its lower right; the name is its tooltip.
// Emits signal_clickHeadLabel() on a mouse release.
class HeadLabel : public QLabel
{
    Q_OBJECT
public:
    explicit HeadLabel(QWidget *parent = nullptr);

    // A picture file; empty or unloadable falls back to the default head.
    void setHeadPicture(const QString &file);
    bool showsDefaultHead() const { return m_default; }
    void setName(const QString &name);
    // A quoted presence icon path; empty hides the badge.
    void setPresenceIcon(const QString &quoted);
    static QString defaultHead();

signals:
    void signal_clickHeadLabel();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPixmap m_head;
    QPixmap m_badge;
    bool m_default = true;
};
