#pragma once

#include <QLabel>

// A label that acts as a link: hand cursor, underlined on hover, clicked() on a
// left-button release inside it.
class HotLabel : public QLabel
{
    Q_OBJECT
public:
    explicit HotLabel(QWidget *parent = nullptr);
    explicit HotLabel(const QString &text, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void setUnderlined(bool underlined);
};
