#pragma once

#include <QTimer>
#include <QWidget>

// A waiting animation: a ring of dots whose bright head turns, with an optional
// caption under it.
class CWaitLoading : public QWidget
{
    Q_OBJECT
public:
    explicit CWaitLoading(QWidget *parent = nullptr);

    void setText(const QString &text);
    void start();
    void stop();
    bool isRunning() const { return m_timer.isActive(); }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QTimer m_timer;
    QString m_text;
    int m_step = 0;
};
