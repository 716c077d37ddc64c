#pragma once

#include <lumio/SysUIData.h>

#include <QRect>
#include <QString>

class QPainter;
class QWidget;

// The look every framed window shares: a light-grey rounded frame, a three-ring
// shadow when the desktop can show translucency, the skin's background in a band
// at the top and a white content area below it, with thin separating lines.
class FramePainter
{
public:
    // Room kept around the frame for the shadow rings of a translucent window.
    static constexpr int ShadowMargin = 4;

    void setTranslucent(bool translucent) { m_translucent = translucent; }
    bool translucent() const { return m_translucent; }
    // Height of the coloured band above the white area (0: all white; a value at
    // least the content height: no white area).
    void setBandHeight(int height) { m_bandHeight = height; }
    int bandHeight() const { return m_bandHeight; }
    // A light strip at the bottom for buttons, with a line above it (0: none).
    void setFooterHeight(int height) { m_footerHeight = height; }
    void setFallbackPicture(const QString &quoted) { m_fallbackPicture = quoted; }
    void setSkin(const SysUIData &skin) { m_skin = skin; }
    const SysUIData &skin() const { return m_skin; }

    // The area inside the frame, where children go.
    QRect contentRect(const QRect &windowRect) const;
    int margin() const { return m_translucent ? ShadowMargin : 1; }

    void paint(QPainter &painter, const QWidget *window) const;

private:
    bool m_translucent = false;
    int m_bandHeight = 0;
    int m_footerHeight = 0;
    QString m_fallbackPicture;
    SysUIData m_skin;
};
