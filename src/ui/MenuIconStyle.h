#pragma once

#include <QProxyStyle>

// The menus' style: Fusion's metrics with 18-pixel small icons.
class MenuIconStyle : public QProxyStyle
{
    Q_OBJECT
public:
    explicit MenuIconStyle(QObject *owner = nullptr);

    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
};
