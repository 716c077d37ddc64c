#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The presence button of the header: a small status icon, the presence text and a
// drop-down arrow; a click opens the presence menu (the owner connects clicked()).
class CStatusButtonEx : public QWidget
{
    Q_OBJECT
public:
    explicit CStatusButtonEx(QWidget *parent = nullptr);

    // icon: a quoted resource path; an unloadable one leaves the icon empty.
    void setStatus(const QString &icon, const QString &text);
    QString text() const;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_icon;
    QPushButton *m_button;
};
