#pragma once

#include <QColor>
#include <QMetaType>
#include <QString>

// The appearance every window paints from; broadcast on a skin change.
struct SysUIData
{
    QString packId;
    QString backgroundPath;
    QString previewPath;
    QColor firstColor = QColor(QStringLiteral("#a5e4d7"));
    QColor secondColor = QColor(QStringLiteral("#82dac8"));
    QColor iconColor;
    qint32 backgroundOpacity = 255;
    qint32 whiteOpacity = 255;
    bool paintPicture = false;
};

Q_DECLARE_METATYPE(SysUIData)
