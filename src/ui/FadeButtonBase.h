#pragma once

#include <QTimer>
#include <QWidget>

class QPushButton;

// The common body of the shell's flat buttons: a rounded base background
// ("widgetBG"), a grey layer ("widgetBG2") that fades in while the cursor is over
// the button and out when it leaves, and a transparent push button on top.
class FadeButtonBase : public QWidget
{
    Q_OBJECT
public:
    explicit FadeButtonBase(QWidget *parent = nullptr);

    // The hover layer's style for an alpha of 0..MaxAlpha.
    static QString fadeStyle(int alpha);
    static constexpr int MaxAlpha = 110;
    static constexpr int FadeStep = 22;
    int fadeAlpha() const { return m_alpha; }
    QPushButton *button() const { return m_button; }

signals:
    void clicked();

public slots:
    void slot_FadeOnFadeOut();

protected:
    void setBaseStyle(const QString &style);
    void setPressedStyle(const QString &style) { m_pressedStyle = style; }
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    virtual void showPressed(bool pressed);

    QWidget *m_bg;
    QWidget *m_bg2;
    QPushButton *m_button;

private:
    QTimer m_fadeTimer;
    QString m_baseStyle;
    QString m_pressedStyle;
    int m_alpha = 0;
    bool m_hovered = false;
};
