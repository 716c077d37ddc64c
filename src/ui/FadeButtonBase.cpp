#include "FadeButtonBase.h"

#include <QPushButton>

FadeButtonBase::FadeButtonBase(QWidget *parent)
    : QWidget(parent)
{
    m_bg = new QWidget(this);
    m_bg->setObjectName(QStringLiteral("widgetBG"));
    m_bg2 = new QWidget(this);
    m_bg2->setObjectName(QStringLiteral("widgetBG2"));
    m_bg2->setStyleSheet(fadeStyle(0));
    m_button = new QPushButton(this);
    m_button->setObjectName(QStringLiteral("pushButton"));
    m_button->setCursor(Qt::PointingHandCursor);
    m_button->setFocusPolicy(Qt::NoFocus);
    for (QWidget *layer : {m_bg, m_bg2}) {
        layer->setAttribute(Qt::WA_StyledBackground);
        layer->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    m_fadeTimer.setInterval(25);
    connect(&m_fadeTimer, &QTimer::timeout, this, &FadeButtonBase::slot_FadeOnFadeOut);
    connect(m_button, &QPushButton::clicked, this, &FadeButtonBase::clicked);
    connect(m_button, &QPushButton::pressed, this, [this] { showPressed(true); });
    connect(m_button, &QPushButton::released, this, [this] { showPressed(false); });
}

QString FadeButtonBase::fadeStyle(int alpha)
{
    return QStringLiteral("QWidget#widgetBG2{border-radius:2px;background-color:rgba(158, 158, 158,%2);}")
        .arg(qBound(0, alpha, 255));
}

void FadeButtonBase::setBaseStyle(const QString &style)
{
    m_baseStyle = style;
    m_bg->setStyleSheet(style);
}

void FadeButtonBase::showPressed(bool pressed)
{
    if (!m_pressedStyle.isEmpty())
        m_bg->setStyleSheet(pressed ? m_pressedStyle : m_baseStyle);
}

void FadeButtonBase::slot_FadeOnFadeOut()
{
    m_alpha = qBound(0, m_alpha + (m_hovered ? FadeStep : -FadeStep), MaxAlpha);
    m_bg2->setStyleSheet(fadeStyle(m_alpha));
    if ((m_hovered && m_alpha == MaxAlpha) || (!m_hovered && m_alpha == 0))
        m_fadeTimer.stop();
}

void FadeButtonBase::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    m_hovered = true;
    m_fadeTimer.start();
}

void FadeButtonBase::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    m_hovered = false;
    m_fadeTimer.start();
}

void FadeButtonBase::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    for (QWidget *layer : {m_bg, m_bg2, static_cast<QWidget *>(m_button)})
        layer->setGeometry(rect());
}
